#pragma once
// The abstract fiscal printer: one per open handle. It owns the connection
// handler to the printer and its trace file, keeps the printer's tables as last
// read, the counters of the last Z report and the layout values of its driver.
// The public operations Pub_... run one command each: they sequence the driver's
// primitives and fill the command's result record. The primitives that talk to
// the printer are virtual; a concrete driver overrides those it supports, and the
// others fail with "<operation> is not available in this build". The text
// layout helpers (FitToLineLength, FormatDisplayRow) are in device/LineLayout.h.

#include <bitset>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "documents/DocumentEnums.h"
#include "device/LineLayout.h"
#include "documents/kVatTable.h"
#include "interface/ResultRecords.h"
#include "runtime/Currency.h"
#include "runtime/DateTime.h"
#include "transport/kIOHandler.h"

class kReceiptPrinterHandler;
class tQN_ApplicationInfo;
class kNFReceipt;
class kReceipt;
class kReceiptMessageTextLine;
class kReceiptMessageBarcodeLine;
class kReceiptMessageLines;
class kReceiptLineProductSale;
class kReceiptLineProductReturn;
class kReceiptLineWeightedProductSale;
class kReceiptLineVoucherSale;
class kReceiptLineVoucherRedeem;
class kReceiptLineGiftCardSale;
class kReceiptLineGiftCardRedeem;
class kReceiptLineCollectAmount;
class kReceiptLineText;
class kReceiptLineSubtotal;
class kReceiptLineDiscountAmount;
class kReceiptLineDiscountPercentage;
class kReceiptLineDiscountAmountOnSubTotal;
class kReceiptLineDiscountPercentageOnSubTotal;
class kReceiptLineMarkupAmount;
class kReceiptLineMarkupPercentage;
class kReceiptLineMarkupAmountOnSubTotal;
class kReceiptLineMarkupPercentageOnSubTotal;
class kReceiptPaymentLine;
class kReceiptReference;
class kPaymentReceipt;
class kDeptTable;
class kEconomicActivityTable;

enum tkFiscalPrinterCapability : uint8_t {
  fpc_SetDate,
  fpc_SetHeader,
  fpc_ReturnPractice,
  fpc_NoFiscalReceipt,
  fpc_Payout,
  fpc_ReadMemory,
  fpc_PrintMemory,
  fpc_ZeroAmountLine,
  fpc_Invoice,
  fpc_VoidReceipt,
  fpc_NegativeAmountReceipt,
  fpc_NegativePartialAmountReceipt,
  fpc_SupportZeroLineAmount,
  fpc_PrintHeaderOnNonFiscalReceipt,
  fpc_SupportSpecialChars
};
// One bit per capability: bit n is the capability of ordinal n.
using tkFiscalPrinterCapabilities = std::bitset<fpc_SupportSpecialChars + 1>;

enum tkFiscalPrinterPrintSection : uint8_t { fpps_Lines, fpps_Payments, fpps_TrailerMessages };

// Totals of the last Z report.
struct tkFiscalCounters {
  Currency GrandTotalAmount;
  Currency GrandTotalRefundsAmount;
  Currency GrandTotalVoidsAmount;
  Currency DayTotalAmount;
  Currency DayDiscountsAmount;
  Currency DayReturnsAmount;
  Currency DayRefundsAmount;
  Currency DayVoidsAmount;
  int32_t DayReceiptsNumber = 0;
  int32_t DayRefundsNumber = 0;
  int32_t ZReportNumber = 0;
  DateTime ZReportDateTime;
  std::string Text;  // the report's text, lines joined by CR LF
};

struct tkLotteryReceiptStatus {
  bool CorrectlySent = false;
  std::string StatusCode;
  std::string StatusDescription;
  std::string ReferenceId;
};

// One row of the customer display: its text and where it stands in the row.
struct tkDisplayLine {
  std::string Value;
  tkReceiptMessageLineAlignment Alignment = la_none;
};

class kFiscalPrinterDevice {
public:
  // Builds the connection handler of aHandler's connection settings, logging into
  // LogDirectory(), which it creates; the handler's version text comes from aInfo,
  // the library's version information. Throws std::runtime_error when the folder
  // cannot be created, for connection settings that cannot be used, and when the
  // request asks for an RT server (not available in this build).
  kFiscalPrinterDevice(const kReceiptPrinterHandler& aHandler, const tQN_ApplicationInfo& aInfo);
  virtual ~kFiscalPrinterDevice();
  kFiscalPrinterDevice(const kFiscalPrinterDevice&) = delete;
  kFiscalPrinterDevice& operator=(const kFiscalPrinterDevice&) = delete;

  // "Version <version> - <release date dd/mm/yyyy>" of the library.
  static std::string GetDriverVersion(const tQN_ApplicationInfo& aInfo);
  // <log root>/LogFiles/FiscalPrinter: the folder of the devices' trace files.
  static std::string LogDirectory();

  kIOHandler& IOHandler() { return *fIOHandler; }
  // Full path of the current trace file.
  std::string GetLogFileName() const;

  // Driver primitives. Each returns true on success; printer failures are
  // recorded on the connection handler, and a driver may also throw with a message.
  virtual bool BeginNoFiscalReceipt(const kNFReceipt& aNFReceipt);
  // aReceipt is null for the lines of a till report.
  virtual bool PrintNoFiscalMessageTextLine(const kReceipt* aReceipt, const kReceiptMessageTextLine& aLine);
  virtual bool PrintNoFiscalMessageBarcodeLine(const kReceipt& aReceipt, const kReceiptMessageBarcodeLine& aLine);
  virtual bool EndNoFiscalReceipt(const kNFReceipt& aNFReceipt);
  virtual bool BeginFiscalReceipt(kReceipt& aReceipt);
  virtual bool EndFiscalReceipt(kReceipt& aReceipt);
  virtual bool ProductSale(kReceipt& aReceipt, const kReceiptLineProductSale& aLine);
  virtual bool ProductReturn(kReceipt& aReceipt, const kReceiptLineProductReturn& aLine);
  virtual bool WeightedProductSale(kReceipt& aReceipt, const kReceiptLineWeightedProductSale& aLine);
  virtual bool VoucherSale(kReceipt& aReceipt, const kReceiptLineVoucherSale& aLine);
  virtual bool VoucherRedeem(kReceipt& aReceipt, const kReceiptLineVoucherRedeem& aLine);
  virtual bool GiftCardSale(kReceipt& aReceipt, const kReceiptLineGiftCardSale& aLine);
  virtual bool GiftCardRedeem(kReceipt& aReceipt, const kReceiptLineGiftCardRedeem& aLine);
  virtual bool CollectAmount(kReceipt& aReceipt, const kReceiptLineCollectAmount& aLine);
  virtual bool PrintTextLine(kReceipt& aReceipt, const kReceiptLineText& aLine);
  virtual bool SubTotal(kReceipt& aReceipt, const kReceiptLineSubtotal& aLine);
  virtual bool DiscountAmount(kReceipt& aReceipt, const kReceiptLineDiscountAmount& aLine);
  virtual bool DiscountPercentage(kReceipt& aReceipt, const kReceiptLineDiscountPercentage& aLine);
  virtual bool DiscountAmountOnSubTotal(kReceipt& aReceipt, const kReceiptLineDiscountAmountOnSubTotal& aLine);
  virtual bool DiscountPercentageOnSubTotal(kReceipt& aReceipt, const kReceiptLineDiscountPercentageOnSubTotal& aLine);
  virtual bool MarkupAmount(kReceipt& aReceipt, const kReceiptLineMarkupAmount& aLine);
  virtual bool MarkupPercentage(kReceipt& aReceipt, const kReceiptLineMarkupPercentage& aLine);
  virtual bool MarkupAmountOnSubTotal(kReceipt& aReceipt, const kReceiptLineMarkupAmountOnSubTotal& aLine);
  virtual bool MarkupPercentageOnSubTotal(kReceipt& aReceipt, const kReceiptLineMarkupPercentageOnSubTotal& aLine);
  virtual bool Payment(kReceipt& aReceipt, const kReceiptPaymentLine& aLine);
  virtual bool PrintTrailerMessageTextLine(kReceipt& aReceipt, const kReceiptMessageTextLine& aLine);
  virtual bool PrintTrailerMessageBarcodeLine(kReceipt& aReceipt, const kReceiptMessageBarcodeLine& aLine);
  virtual bool Reset();
  virtual bool XReport();
  virtual bool ZReport();
  virtual bool GetLastDocumentInfo(DateTime& aDateTime, std::string& aNumber, std::string& aEJNumber,
                                   std::string& aEJClosingNumber, std::string& aDeviceSerialNumber);
  // Fills DayOpened, DateTime, PaperEnd, PaperNearEnd, CoverOpen, FiscalReceiptOpen,
  // ReceiptOpen, TrainingMode, FirmwareVersion, SerialNumber and FiscalMode.
  virtual bool GetStatus(_int_GETSTATUS_result& aStatus);
  virtual bool GetDrawerStatus(int32_t aDrawerNumber, bool& aIsOpen);
  virtual bool GetDateTime(DateTime& aDateTime);
  virtual bool SetDateTime(DateTime aDateTime);
  virtual bool SetTrainingMode(bool aEnabled);
  // Refreshes fVatTable from the printer.
  virtual bool GetVatTable();
  virtual bool SetVatTable(const kVatTable& aVatTable);
  virtual bool GetEATable();
  virtual bool SetEATable(const kEconomicActivityTable& aEATable);
  virtual bool GetDeptTable();
  virtual bool SetDeptTable(const kDeptTable& aDeptTable);
  virtual bool ClearDisplay();
  virtual bool WriteDisplay(const kReceiptMessageLines& aLines);
  virtual bool OpenDrawer(int32_t aDrawerNumber);
  virtual bool Pay(kPaymentReceipt& aPaymentReceipt);
  virtual bool ReprintReceipt(const kReceiptReference& aReference);
  virtual bool EJZReport(tkEJReportDestination aDestination, DateTime aStartDate, DateTime aEndDate,
                         std::string& aText);
  virtual bool EJFiscalReceipt(tkEJReportDestination aDestination, DateTime aStartDate, DateTime aEndDate,
                               int32_t aStartNumber, int32_t aEndNumber, std::string& aText);
  virtual bool EJNonFiscalReceipt(tkEJReportDestination aDestination, DateTime aStartDate, DateTime aEndDate,
                                  int32_t aStartNumber, int32_t aEndNumber, std::string& aText);
  virtual bool EJCreditNote(tkEJReportDestination aDestination, DateTime aStartDate, DateTime aEndDate,
                            int32_t aStartNumber, int32_t aEndNumber, std::string& aText);
  virtual bool EJInvoice(tkEJReportDestination aDestination, DateTime aStartDate, DateTime aEndDate,
                         int32_t aStartNumber, int32_t aEndNumber, std::string& aText);
  virtual bool GetEJFiles(tkEJFilesRequestType aReqType, const std::string& aOutputDir, DateTime aStartDate,
                          DateTime aEndDate, int32_t& aFilesCount);
  virtual bool IsReady();
  // Fills fLotteryReceiptStatus.
  virtual bool GetLotteryReceiptStatus(const kReceiptReference& aReference);
  virtual bool GetReceiptText(const kReceiptReference& aReference, std::string& aText);
  // Prepares the printer after a successful connection; its result is not consulted.
  virtual bool Init();

  // Public operations, one per command.
  void Pub_Open(kReceiptPrinterHandler& aHandler, _int_OPEN_result& aResult);
  void Pub_Close(kReceiptPrinterHandler& aHandler, _int_CLOSE_result& aResult);
  void Pub_GetStatus(kReceiptPrinterHandler& aHandler, _int_GETSTATUS_result& aResult);
  void Pub_GetVatTable(kReceiptPrinterHandler& aHandler, _int_GETVATTABLE_result& aResult);
  void Pub_PrintReceipt(kReceiptPrinterHandler& aHandler, _int_PRINTFR_result& aResult);
  void Pub_RePrintReceipt(kReceiptPrinterHandler& aHandler, _int_REPRINTFR_result& aResult);
  void Pub_PrintNFReceipt(kReceiptPrinterHandler& aHandler, _int_PRINTNFR_result& aResult);
  void Pub_PrintXReport(kReceiptPrinterHandler& aHandler, _int_PRINTXR_result& aResult);
  void Pub_PrintZReport(kReceiptPrinterHandler& aHandler, _int_PRINTZR_result& aResult);
  void Pub_WriteDisplay(kReceiptPrinterHandler& aHandler, _int_DISPLAY_result& aResult);
  void Pub_OpenDrawer(kReceiptPrinterHandler& aHandler, _int_OPENDR_result& aResult);
  void Pub_GetDrawerStatus(kReceiptPrinterHandler& aHandler, _int_GETDRSTATUS_result& aResult);
  void Pub_Set(kReceiptPrinterHandler& aHandler, _int_SET_result& aResult);
  void Pub_SetDateTime(kReceiptPrinterHandler& aHandler, _int_SETDATETIME_result& aResult);
  void Pub_EJReport(kReceiptPrinterHandler& aHandler, _int_EJREPORT_result& aResult);
  void Pub_GetEJFiles(kReceiptPrinterHandler& aHandler, _int_GETEJFILES_result& aResult);
  void Pub_SetVatTable(kReceiptPrinterHandler& aHandler, _int_SETVATTABLE_result& aResult);
  void Pub_GetDeptTable(kReceiptPrinterHandler& aHandler, _int_GETDEPTTABLE_result& aResult);
  void Pub_SetDeptTable(kReceiptPrinterHandler& aHandler, _int_SETDEPTTABLE_result& aResult);
  void Pub_Pay(kReceiptPrinterHandler& aHandler, _int_PAY_result& aResult);
  void Pub_GetLotteryReceiptStatus(kReceiptPrinterHandler& aHandler, _int_GETLOTTERYRCPTSTATUS_result& aResult);

  // Sets every amount and count of fCounters to 0; the date and text stay.
  void ResetCounters();
  // Appends a section to the print sequence unless it is already there.
  void AddPrintSection(tkFiscalPrinterPrintSection aSection);
  void ClearPrintSequence() { fPrintSequence.clear(); }
  // The first entry of fVatTable with exactly this code, or null.
  const kVat* FindVat(std::string_view aCode) const { return fVatTable.Get(aCode); }
  // The slot of that entry, or -1.
  int32_t GetVatIndex(std::string_view aCode) const;
  // The customer display text: every row cut and placed by its alignment in
  // fDisplayLineLength columns, the rows one after the other.
  std::string FormatDisplayLines(std::span<const tkDisplayLine> aLines) const;
  // The date of the last Z report of this printer (fSerialNumber), kept in the
  // log folder; no date when none was saved. The log folder, not one under the
  // process's current directory: the host's current directory is wherever it was
  // started from, so the date would be lost, or the save fail, when it changes.
  void SaveZReportDate(DateTime aDate) const;
  DateTime LoadZReportDate() const;

  int32_t fHandle = 0;                 // given by the device map
  std::string fFiscalMode;             // as last reported by GetStatus ("RT", "MF")
  std::string fSerialNumber;           // as last reported by GetStatus
  kVatTable fVatTable;                 // the printer's VAT table as last read
  tkFiscalPrinterCapabilities fCapabilities;   // declared by the driver
  int32_t fLineLength = 0;             // printable characters per receipt line
  int32_t fDisplayLineCount = 0;       // rows of the customer display
  int32_t fDisplayLineLength = 0;      // characters per display row
  tkFiscalCounters fCounters;          // totals of the last Z report
  tkLotteryReceiptStatus fLotteryReceiptStatus;
  std::vector<tkFiscalPrinterPrintSection> fPrintSequence;   // order of a receipt's sections
  int32_t fEJFilesCount = 0;           // files written by the last GetEJFiles
  bool fRTServerActive = false;        // the device works behind an RT server

protected:
  // For drivers and test devices that bring their own connection handler.
  kFiscalPrinterDevice(const kReceiptPrinterHandler& aHandler, const tQN_ApplicationInfo& aInfo,
                       std::unique_ptr<kIOHandler> aIOHandler);

  // The frame of every public operation: the log line with the operation's label,
  // Error true and the log file name.
  template <class TResult>
  void BeginOperation(const char* aLabel, TResult& aResult);
  // The outcome from the connection handler's error slot: Error and ErrorText.
  // True when no error was recorded.
  template <class TResult>
  bool EndOperation(TResult& aResult);

private:
  std::unique_ptr<kIOHandler> fIOHandler;
};

template <class TResult>
void kFiscalPrinterDevice::BeginOperation(const char* aLabel, TResult& aResult) {
  fIOHandler->Debug(let_info, std::string(60, '-') + " " + aLabel);
  aResult.Error = true;
  aResult.LogFileName = fIOHandler->GetLogFileName();
}

template <class TResult>
bool kFiscalPrinterDevice::EndOperation(TResult& aResult) {
  aResult.Error = fIOHandler->ErrorFound();
  aResult.ErrorText = aResult.Error ? fIOHandler->ErrorMessage() : std::string();
  return !aResult.Error;
}
