#pragma once
// The result record of every exported command (VERSION has none). A device
// operation fills the record, and the command object turns it into the result
// fragment, the error text and the result code (see ResultFormat.h).
//
// A default-constructed record has every field empty, zero or false: that is
// the record a device operation receives. InitResultRecord gives the values a
// command reports when it fails before its operation filled the record. Every
// field has an initializer, so designated initializers may name only some.

#include <cstdint>
#include <string>
#include <vector>

#include "documents/kPaymentDefs.h"
#include "runtime/Currency.h"
#include "runtime/DateTime.h"

struct _int_Vat {
  int32_t Index = 0;
  std::string Code{};
  std::string Description{};
  Currency Rate{};
};

struct _int_Dept {
  int32_t Index = 0;
  std::string Code{};
  std::string Description{};
  std::string VatCode{};
  std::string SalesType{};
  std::string EACode{};
  std::string EADescription{};
  std::string EAVATMode{};
};

struct _int_PRINTFR_result {
  DateTime ReceiptDateTime{};
  std::string ReceiptNumber{};
  std::string EJNumber{};
  std::string EJClosingNumber{};
  std::string DeviceSerialNumber{};
  std::string ServerSerialNumber{};
  std::string ReceiptText{};
  std::string ReceiptImage{};
  bool Error = false;
  std::string ErrorText{};
  std::string MessageText{};
  std::string LogFileName{};
};

struct _int_REPRINTFR_result {
  bool Error = false;
  std::string ErrorText{};
  std::string LogFileName{};
};

struct _int_PRINTNFR_result {
  DateTime NFReceiptDateTime{};
  std::string NFReceiptNumber{};
  bool Error = false;
  std::string ErrorText{};
  std::string LogFileName{};
};

struct _int_PRINTXR_result {
  std::string XReportNumber{};
  DateTime XReportDateTime{};
  std::string EJNumber{};
  std::string EJClosingNumber{};
  std::string DeviceSerialNumber{};
  std::string ServerSerialNumber{};
  bool Error = false;
  std::string ErrorText{};
  std::string LogFileName{};
};

struct _int_PRINTZR_result {
  std::string ZReportNumber{};
  DateTime ZReportDateTime{};
  std::string EJNumber{};
  std::string EJClosingNumber{};
  std::string DeviceSerialNumber{};
  std::string ServerSerialNumber{};
  Currency GrandTotalAmount{};
  Currency GrandTotalRefundsAmount{};
  Currency GrandTotalVoidsAmount{};
  Currency DayTotalAmount{};
  Currency DayDiscountsAmount{};
  Currency DayReturnsAmount{};
  Currency DayRefundsAmount{};
  Currency DayVoidsAmount{};
  int32_t DayReceiptsNumber = 0;
  int32_t DayRefundsNumber = 0;
  std::string Text{};
  bool Error = false;
  std::string ErrorText{};
  std::string LogFileName{};
};

struct _int_DISPLAY_result {
  bool Error = false;
  std::string ErrorText{};
  std::string LogFileName{};
};

struct _int_OPENDR_result {
  bool Error = false;
  std::string ErrorText{};
  std::string LogFileName{};
};

struct _int_SET_result {
  bool Error = false;
  std::string ErrorText{};
  std::string LogFileName{};
};

struct _int_CLOSE_result {
  bool Error = false;
  std::string ErrorText{};
  std::string LogFileName{};
};

struct _int_SETVATTABLE_result {
  bool Error = false;
  std::string ErrorText{};
  std::string LogFileName{};
};

struct _int_SETDEPTTABLE_result {
  bool Error = false;
  std::string ErrorText{};
  std::string LogFileName{};
};

struct _int_GETSTATUS_result {
  bool DayOpened = false;
  ::DateTime DateTime{};
  bool PaperEnd = false;
  bool PaperNearEnd = false;
  bool CoverOpen = false;
  bool FiscalReceiptOpen = false;
  bool ReceiptOpen = false;
  bool TrainingMode = false;
  std::string FirmwareVersion{};
  std::string SerialNumber{};
  std::string FiscalMode{};
  bool Error = false;
  std::string ErrorText{};
  std::string LogFileName{};
};

struct _int_SETDATETIME_result {
  ::DateTime DateTime{};
  bool Error = false;
  std::string ErrorText{};
  std::string LogFileName{};
};

struct _int_OPEN_result {
  int32_t Handle = 0;
  bool Error = false;
  std::string ErrorText{};
  std::string LogFileName{};
};

struct _int_GETDRSTATUS_result {
  bool IsOpen = false;
  bool Error = false;
  std::string ErrorText{};
  std::string LogFileName{};
};

struct _int_EJREPORT_result {
  std::string Text{};
  bool Error = false;
  std::string ErrorText{};
  std::string LogFileName{};
};

struct _int_GETVATTABLE_result {
  std::vector<_int_Vat> VATTable{};
  bool Error = false;
  std::string ErrorText{};
  std::string LogFileName{};
};

struct _int_GETDEPTTABLE_result {
  std::vector<_int_Dept> DeptTable{};
  bool Error = false;
  std::string ErrorText{};
  std::string LogFileName{};
};

struct _int_PAY_result {
  std::string DeviceId{};
  DateTime PaymentDateTime{};
  std::string PaymentNumber{};
  Currency PaymentAmount{};
  std::string PaymentCurrency{};
  std::string MaskedPAN{};
  tkPaymentTransactionType TransactionType{};
  tkPaymentNetwork PaymentNetwork{};
  std::string AuthCode{};
  std::string TraceAuditId{};
  Currency ExchangeRate{};
  Currency PaymentAmountCurrency{};
  std::string ReceiptText{};
  std::string RawResponse{};
  bool Error = false;
  std::string ErrorText{};
  std::string LogFileName{};
};

struct _int_GETLOTTERYRCPTSTATUS_result {
  bool CorrectlySent = false;
  std::string StatusCode{};
  std::string StatusDescription{};
  std::string ReferenceId{};
  bool Error = false;
  std::string ErrorText{};
  std::string LogFileName{};
};

struct _int_GETEJFILES_result {
  int32_t FilesCount = 0;
  bool Error = false;
  std::string ErrorText{};
  std::string LogFileName{};
};

// Resets a record to the values of a command that has not run yet: everything
// empty, zero or false except Error, which is true.
template <class TResult>
void InitResultRecord(TResult& result) {
  result = TResult{};
  result.Error = true;
}

// A payment that has not run yet reports the transaction type and the network
// as "other".
inline void InitResultRecord(_int_PAY_result& result) {
  result = _int_PAY_result{};
  result.Error = true;
  result.TransactionType = ptt_Other;
  result.PaymentNetwork = tkPaymentNetwork::Other;
}
