#pragma once
// The command objects of the exports, kFiscalPrinterWrapper_<EXPORT>. They differ
// only in a small description: the result record, the request documents parsed,
// whether the command may create a device, and the device operation. OPEN and
// CLOSE add steps after the operation.

#include <utility>

#include "device/kFiscalPrinterDevice.h"
#include "interface/kFiscalPrinterWrapper.h"

template <class TCommand>
class kFiscalPrinterCommand final : public kFiscalPrinterWrapper {
public:
  using Result = typename TCommand::Result;
  using kFiscalPrinterWrapper::kFiscalPrinterWrapper;

  void InitResult() override { InitResultRecord(fResult); }
  FormattedResult Format() const override { return FormatResult(fResult); }

  Result fResult{};

protected:
  void Execute(std::string_view aXml) override {
    fHandler.Deserialize(aXml, TCommand::Documents);
    kFiscalPrinterDevice& device = FindDevice(TCommand::MayCreateDevice);
    Result result{};
    (device.*TCommand::Operation)(fHandler, result);
    fResult = std::move(result);
    AfterOperation(device);
  }

  // Every failure is reported as one: Error true, even when the operation had
  // already succeeded and a step after it failed.
  void RecordFailure(const std::string& aMessage) override {
    fResult.Error = true;
    fResult.ErrorText = aMessage;
    if (fDevice == nullptr) return;
    if constexpr (TCommand::LogsFailure) fDevice->IOHandler().Debug(let_error, aMessage);
    fResult.LogFileName = fDevice->GetLogFileName();
  }

private:
  void AfterOperation(kFiscalPrinterDevice&) {}
};

// What the commands have in common; each description overrides what differs.
struct kCommandDescription {
  static constexpr tkReceiptHandlerDocumentTypes Documents{};
  static constexpr bool MayCreateDevice = false;
  static constexpr bool LogsFailure = false;  // write the failure into the device's log
};

struct kCommand_PRINTFR : kCommandDescription {
  using Result = _int_PRINTFR_result;
  static constexpr tkReceiptHandlerDocumentTypes Documents{dt_Receipt};
  static constexpr auto Operation = &kFiscalPrinterDevice::Pub_PrintReceipt;
};
struct kCommand_PRINTXR : kCommandDescription {
  using Result = _int_PRINTXR_result;
  static constexpr auto Operation = &kFiscalPrinterDevice::Pub_PrintXReport;
};
struct kCommand_PRINTZR : kCommandDescription {
  using Result = _int_PRINTZR_result;
  static constexpr auto Operation = &kFiscalPrinterDevice::Pub_PrintZReport;
};
struct kCommand_PRINTNFR : kCommandDescription {
  using Result = _int_PRINTNFR_result;
  static constexpr tkReceiptHandlerDocumentTypes Documents{dt_NFReceipt};
  static constexpr auto Operation = &kFiscalPrinterDevice::Pub_PrintNFReceipt;
};
struct kCommand_DISPLAY : kCommandDescription {
  using Result = _int_DISPLAY_result;
  static constexpr tkReceiptHandlerDocumentTypes Documents{dt_Display};
  static constexpr auto Operation = &kFiscalPrinterDevice::Pub_WriteDisplay;
};
struct kCommand_OPENDR : kCommandDescription {
  using Result = _int_OPENDR_result;
  static constexpr tkReceiptHandlerDocumentTypes Documents{dt_Drawer};
  static constexpr auto Operation = &kFiscalPrinterDevice::Pub_OpenDrawer;
};
struct kCommand_GETSTATUS : kCommandDescription {
  using Result = _int_GETSTATUS_result;
  static constexpr auto Operation = &kFiscalPrinterDevice::Pub_GetStatus;
};
struct kCommand_SETDATETIME : kCommandDescription {
  using Result = _int_SETDATETIME_result;
  static constexpr auto Operation = &kFiscalPrinterDevice::Pub_SetDateTime;
};
struct kCommand_OPEN : kCommandDescription {
  using Result = _int_OPEN_result;
  static constexpr bool MayCreateDevice = true;
  static constexpr bool LogsFailure = true;
  static constexpr auto Operation = &kFiscalPrinterDevice::Pub_Open;
};
struct kCommand_CLOSE : kCommandDescription {
  using Result = _int_CLOSE_result;
  static constexpr auto Operation = &kFiscalPrinterDevice::Pub_Close;
};
struct kCommand_GETDRSTATUS : kCommandDescription {
  using Result = _int_GETDRSTATUS_result;
  static constexpr tkReceiptHandlerDocumentTypes Documents{dt_Drawer};
  static constexpr auto Operation = &kFiscalPrinterDevice::Pub_GetDrawerStatus;
};
struct kCommand_SET : kCommandDescription {
  using Result = _int_SET_result;
  static constexpr auto Operation = &kFiscalPrinterDevice::Pub_Set;
};
struct kCommand_EJREPORT : kCommandDescription {
  using Result = _int_EJREPORT_result;
  static constexpr tkReceiptHandlerDocumentTypes Documents{dt_EJReport};
  static constexpr auto Operation = &kFiscalPrinterDevice::Pub_EJReport;
};
struct kCommand_GETVATTABLE : kCommandDescription {
  using Result = _int_GETVATTABLE_result;
  static constexpr auto Operation = &kFiscalPrinterDevice::Pub_GetVatTable;
};
struct kCommand_SETVATTABLE : kCommandDescription {
  using Result = _int_SETVATTABLE_result;
  static constexpr tkReceiptHandlerDocumentTypes Documents{dt_VatTable};
  static constexpr auto Operation = &kFiscalPrinterDevice::Pub_SetVatTable;
};
struct kCommand_GETDEPTTABLE : kCommandDescription {
  using Result = _int_GETDEPTTABLE_result;
  static constexpr auto Operation = &kFiscalPrinterDevice::Pub_GetDeptTable;
};
struct kCommand_SETDEPTTABLE : kCommandDescription {
  using Result = _int_SETDEPTTABLE_result;
  static constexpr tkReceiptHandlerDocumentTypes Documents{dt_DeptTable};
  static constexpr auto Operation = &kFiscalPrinterDevice::Pub_SetDeptTable;
};
struct kCommand_PAY : kCommandDescription {
  using Result = _int_PAY_result;
  static constexpr tkReceiptHandlerDocumentTypes Documents{dt_Pay};
  static constexpr bool MayCreateDevice = true;
  static constexpr auto Operation = &kFiscalPrinterDevice::Pub_Pay;
};
struct kCommand_REPRINTFR : kCommandDescription {
  using Result = _int_REPRINTFR_result;
  static constexpr tkReceiptHandlerDocumentTypes Documents{dt_ReceiptReference};
  static constexpr auto Operation = &kFiscalPrinterDevice::Pub_RePrintReceipt;
};
struct kCommand_GETLOTTERYRCPTSTATUS : kCommandDescription {
  using Result = _int_GETLOTTERYRCPTSTATUS_result;
  static constexpr tkReceiptHandlerDocumentTypes Documents{dt_ReceiptReference};
  static constexpr auto Operation = &kFiscalPrinterDevice::Pub_GetLotteryReceiptStatus;
};
struct kCommand_GETEJFILES : kCommandDescription {
  using Result = _int_GETEJFILES_result;
  static constexpr tkReceiptHandlerDocumentTypes Documents{dt_EJFilesRequest};
  static constexpr auto Operation = &kFiscalPrinterDevice::Pub_GetEJFiles;
};

// OPEN, once the connection succeeded: report the handle, then initialise the
// printer and read its status and VAT table into the device.
template <>
void kFiscalPrinterCommand<kCommand_OPEN>::AfterOperation(kFiscalPrinterDevice& aDevice);
// CLOSE: the device leaves the map and is destroyed, whatever the disconnect reported.
template <>
void kFiscalPrinterCommand<kCommand_CLOSE>::AfterOperation(kFiscalPrinterDevice& aDevice);

using kFiscalPrinterWrapper_PRINTFR = kFiscalPrinterCommand<kCommand_PRINTFR>;
using kFiscalPrinterWrapper_PRINTXR = kFiscalPrinterCommand<kCommand_PRINTXR>;
using kFiscalPrinterWrapper_PRINTZR = kFiscalPrinterCommand<kCommand_PRINTZR>;
using kFiscalPrinterWrapper_PRINTNFR = kFiscalPrinterCommand<kCommand_PRINTNFR>;
using kFiscalPrinterWrapper_DISPLAY = kFiscalPrinterCommand<kCommand_DISPLAY>;
using kFiscalPrinterWrapper_OPENDR = kFiscalPrinterCommand<kCommand_OPENDR>;
using kFiscalPrinterWrapper_GETSTATUS = kFiscalPrinterCommand<kCommand_GETSTATUS>;
using kFiscalPrinterWrapper_SETDATETIME = kFiscalPrinterCommand<kCommand_SETDATETIME>;
using kFiscalPrinterWrapper_OPEN = kFiscalPrinterCommand<kCommand_OPEN>;
using kFiscalPrinterWrapper_CLOSE = kFiscalPrinterCommand<kCommand_CLOSE>;
using kFiscalPrinterWrapper_GETDRSTATUS = kFiscalPrinterCommand<kCommand_GETDRSTATUS>;
using kFiscalPrinterWrapper_SET = kFiscalPrinterCommand<kCommand_SET>;
using kFiscalPrinterWrapper_EJREPORT = kFiscalPrinterCommand<kCommand_EJREPORT>;
using kFiscalPrinterWrapper_GETVATTABLE = kFiscalPrinterCommand<kCommand_GETVATTABLE>;
using kFiscalPrinterWrapper_SETVATTABLE = kFiscalPrinterCommand<kCommand_SETVATTABLE>;
using kFiscalPrinterWrapper_GETDEPTTABLE = kFiscalPrinterCommand<kCommand_GETDEPTTABLE>;
using kFiscalPrinterWrapper_SETDEPTTABLE = kFiscalPrinterCommand<kCommand_SETDEPTTABLE>;
using kFiscalPrinterWrapper_PAY = kFiscalPrinterCommand<kCommand_PAY>;
using kFiscalPrinterWrapper_REPRINTFR = kFiscalPrinterCommand<kCommand_REPRINTFR>;
using kFiscalPrinterWrapper_GETLOTTERYRCPTSTATUS = kFiscalPrinterCommand<kCommand_GETLOTTERYRCPTSTATUS>;
using kFiscalPrinterWrapper_GETEJFILES = kFiscalPrinterCommand<kCommand_GETEJFILES>;
