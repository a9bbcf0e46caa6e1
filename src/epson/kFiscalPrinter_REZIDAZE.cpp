#include "epson/kFiscalPrinter_REZIDAZE.h"

#include "device/kReceiptPrinterHandler.h"

kFiscalPrinter_REZIDAZE::kFiscalPrinter_REZIDAZE(const kReceiptPrinterHandler& aHandler,
                                                 const tQN_ApplicationInfo& aInfo)
    : kFiscalPrinterDevice(aHandler, aInfo), fExchange(IOHandler()) {
  SetDriverValues(aHandler);
}

kFiscalPrinter_REZIDAZE::kFiscalPrinter_REZIDAZE(const kReceiptPrinterHandler& aHandler,
                                                 const tQN_ApplicationInfo& aInfo,
                                                 std::unique_ptr<kIOHandler> aIOHandler)
    : kFiscalPrinterDevice(aHandler, aInfo, std::move(aIOHandler)), fExchange(IOHandler()) {
  SetDriverValues(aHandler);
}

void kFiscalPrinter_REZIDAZE::SetDriverValues(const kReceiptPrinterHandler& aHandler) {
  for (auto capability : {fpc_SetDate, fpc_ReturnPractice, fpc_NoFiscalReceipt, fpc_ReadMemory, fpc_ZeroAmountLine,
                          fpc_Invoice, fpc_VoidReceipt, fpc_NegativeAmountReceipt, fpc_NegativePartialAmountReceipt,
                          fpc_SupportZeroLineAmount, fpc_PrintHeaderOnNonFiscalReceipt})
    fCapabilities.set(capability);
  fLineLength = 40;
  fDisplayLineCount = 2;
  fDisplayLineLength = 20;
  fBaseURL = aHandler.fConnection.fURL;
  fHTTPUser = aHandler.fConnection.fUser;
  fHTTPPassword = aHandler.fConnection.fPassword;
  fHTTPAuthType = aHandler.fConnection.fAuthType;
}

bool kFiscalPrinter_REZIDAZE::GetEJFiles(tkEJFilesRequestType, const std::string&, DateTime, DateTime,
                                         int32_t& aFilesCount) {
  aFilesCount = 0;
  return false;
}
