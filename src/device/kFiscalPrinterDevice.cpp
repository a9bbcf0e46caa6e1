#include "device/kFiscalPrinterDevice.h"

#include <filesystem>
#include <stdexcept>
#include <system_error>

#include "device/kReceiptPrinterHandler.h"
#include "runtime/Text.h"
#include "runtime/Paths.h"
#include "runtime/tQN_ApplicationInfo.h"

namespace {

// Recorded when a transport reports a failed connection without an error of its own.
constexpr int32_t kConnectFailedCode = -1;

[[noreturn]] void NotAvailable(const char* aOperation) {
  throw std::runtime_error(std::string(aOperation) + " is not available in this build");
}

// The folder of the trace files, created when missing.
std::string PreparedLogDirectory() {
  const std::string directory = kFiscalPrinterDevice::LogDirectory();
  std::error_code error;
  std::filesystem::create_directories(directory, error);
  if (error) throw std::runtime_error("Cannot create the log folder " + directory + ": " + error.message());
  return directory;
}

}  // namespace

kFiscalPrinterDevice::kFiscalPrinterDevice(const kReceiptPrinterHandler& aHandler, const tQN_ApplicationInfo& aInfo)
    : kFiscalPrinterDevice(aHandler, aInfo, aHandler.CreateIOHandler(PreparedLogDirectory())) {}

kFiscalPrinterDevice::kFiscalPrinterDevice(const kReceiptPrinterHandler& aHandler, const tQN_ApplicationInfo& aInfo,
                                           std::unique_ptr<kIOHandler> aIOHandler)
    : fIOHandler(std::move(aIOHandler)) {
  if (EqualsIgnoreCaseAscii(aHandler.GetParameter("RTServer"), "true")) NotAvailable("RTServer");
  fIOHandler->fVersion = GetDriverVersion(aInfo);
}

kFiscalPrinterDevice::~kFiscalPrinterDevice() = default;

std::string kFiscalPrinterDevice::GetDriverVersion(const tQN_ApplicationInfo& aInfo) {
  return "Version " + aInfo.fVersion + " - " + aInfo.fReleaseDate.ToShortDate();
}

std::string kFiscalPrinterDevice::LogDirectory() { return JoinPath(GetLogFilesDirectory(), "FiscalPrinter"); }

std::string kFiscalPrinterDevice::GetLogFileName() const { return fIOHandler->GetLogFileName(); }

void kFiscalPrinterDevice::Pub_Open(kReceiptPrinterHandler&, _int_OPEN_result& aResult) {
  BeginOperation("Open", aResult);
  // A transport that could not connect and recorded nothing (TCP) would otherwise
  // let the open pass as a success.
  if (!fIOHandler->Connect() && !fIOHandler->ErrorFound())
    fIOHandler->SetCustomError(kConnectFailedCode, "Connection to the printer failed");
  EndOperation(aResult);
}

void kFiscalPrinterDevice::Pub_Close(kReceiptPrinterHandler&, _int_CLOSE_result& aResult) {
  BeginOperation("Close", aResult);
  fIOHandler->Disconnect();
  EndOperation(aResult);
}

void kFiscalPrinterDevice::Pub_GetStatus(kReceiptPrinterHandler&, _int_GETSTATUS_result& aResult) {
  BeginOperation("GetStatus", aResult);
  GetStatus(aResult);
  if (EndOperation(aResult)) {
    fFiscalMode = aResult.FiscalMode;
    fSerialNumber = aResult.SerialNumber;
  }
}

void kFiscalPrinterDevice::Pub_PrintReceipt(kReceiptPrinterHandler&, _int_PRINTFR_result&) {
  NotAvailable("PrintReceipt");
}
void kFiscalPrinterDevice::Pub_RePrintReceipt(kReceiptPrinterHandler&, _int_REPRINTFR_result&) {
  NotAvailable("ReprintReceipt");
}
void kFiscalPrinterDevice::Pub_PrintNFReceipt(kReceiptPrinterHandler&, _int_PRINTNFR_result&) {
  NotAvailable("PrintNFReceipt");
}
void kFiscalPrinterDevice::Pub_PrintXReport(kReceiptPrinterHandler&, _int_PRINTXR_result&) {
  NotAvailable("PrintXReport");
}
void kFiscalPrinterDevice::Pub_PrintZReport(kReceiptPrinterHandler&, _int_PRINTZR_result&) {
  NotAvailable("PrintZReport");
}
void kFiscalPrinterDevice::Pub_WriteDisplay(kReceiptPrinterHandler&, _int_DISPLAY_result&) {
  NotAvailable("WriteDisplay");
}
void kFiscalPrinterDevice::Pub_OpenDrawer(kReceiptPrinterHandler&, _int_OPENDR_result&) {
  NotAvailable("OpenDrawer");
}
void kFiscalPrinterDevice::Pub_GetDrawerStatus(kReceiptPrinterHandler&, _int_GETDRSTATUS_result&) {
  NotAvailable("GetDrawerStatus");
}
void kFiscalPrinterDevice::Pub_Set(kReceiptPrinterHandler&, _int_SET_result&) { NotAvailable("Set"); }
void kFiscalPrinterDevice::Pub_SetDateTime(kReceiptPrinterHandler&, _int_SETDATETIME_result&) {
  NotAvailable("SetDateTime");
}
void kFiscalPrinterDevice::Pub_EJReport(kReceiptPrinterHandler&, _int_EJREPORT_result&) {
  NotAvailable("EJReport");
}
void kFiscalPrinterDevice::Pub_GetEJFiles(kReceiptPrinterHandler&, _int_GETEJFILES_result&) {
  NotAvailable("GetEJFiles");
}
void kFiscalPrinterDevice::Pub_GetVatTable(kReceiptPrinterHandler&, _int_GETVATTABLE_result& aResult) {
  BeginOperation("GetVATTable", aResult);
  aResult.VATTable.clear();
  GetVatTable();
  if (!EndOperation(aResult)) return;
  for (const kVat& vat : fVatTable.Items())
    aResult.VATTable.push_back({vat.fIndex, vat.fCode, vat.fDescription, vat.fRate});
}
void kFiscalPrinterDevice::Pub_SetVatTable(kReceiptPrinterHandler&, _int_SETVATTABLE_result&) {
  NotAvailable("SetVATTable");
}
void kFiscalPrinterDevice::Pub_GetDeptTable(kReceiptPrinterHandler&, _int_GETDEPTTABLE_result&) {
  NotAvailable("GetDeptTable");
}
void kFiscalPrinterDevice::Pub_SetDeptTable(kReceiptPrinterHandler&, _int_SETDEPTTABLE_result&) {
  NotAvailable("SetDeptTable");
}
void kFiscalPrinterDevice::Pub_Pay(kReceiptPrinterHandler&, _int_PAY_result&) { NotAvailable("Pay"); }
void kFiscalPrinterDevice::Pub_GetLotteryReceiptStatus(kReceiptPrinterHandler&, _int_GETLOTTERYRCPTSTATUS_result&) {
  NotAvailable("GetLotteryRcptStatus");
}
