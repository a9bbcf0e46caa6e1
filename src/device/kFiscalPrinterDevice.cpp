#include "device/kFiscalPrinterDevice.h"

#include <algorithm>
#include <filesystem>
#include <stdexcept>
#include <system_error>

#include "device/ZReportDateFile.h"
#include "device/kReceiptPrinterHandler.h"
#include "runtime/Paths.h"
#include "runtime/Text.h"
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
  // Receipts behind an RT server must be signed by it before they print; without
  // the binding the device refuses to exist rather than print unsigned receipts.
  if (EqualsIgnoreCaseAscii(aHandler.GetParameter("RTServer"), "true")) NotAvailable("RTServer");
  AddPrintSection(fpps_Lines);
  AddPrintSection(fpps_Payments);
  AddPrintSection(fpps_TrailerMessages);
  fIOHandler->fVersion = GetDriverVersion(aInfo);
}

kFiscalPrinterDevice::~kFiscalPrinterDevice() = default;

std::string kFiscalPrinterDevice::GetDriverVersion(const tQN_ApplicationInfo& aInfo) {
  return "Version " + aInfo.fVersion + " - " + aInfo.fReleaseDate.ToShortDate();
}

std::string kFiscalPrinterDevice::LogDirectory() { return JoinPath(GetLogFilesDirectory(), "FiscalPrinter"); }

std::string kFiscalPrinterDevice::GetLogFileName() const { return fIOHandler->GetLogFileName(); }

// ---- services for drivers ----

void kFiscalPrinterDevice::ResetCounters() {
  tkFiscalCounters cleared;
  cleared.ZReportDateTime = fCounters.ZReportDateTime;
  cleared.Text = std::move(fCounters.Text);
  fCounters = std::move(cleared);
}

void kFiscalPrinterDevice::AddPrintSection(tkFiscalPrinterPrintSection aSection) {
  if (std::find(fPrintSequence.begin(), fPrintSequence.end(), aSection) == fPrintSequence.end())
    fPrintSequence.push_back(aSection);
}

int32_t kFiscalPrinterDevice::GetVatIndex(std::string_view aCode) const {
  const kVat* vat = FindVat(aCode);
  return vat ? vat->fIndex : -1;
}

std::string kFiscalPrinterDevice::FormatDisplayLines(std::span<const tkDisplayLine> aLines) const {
  std::string text;
  for (const tkDisplayLine& line : aLines) text += FormatDisplayRow(line.Value, line.Alignment, fDisplayLineLength);
  return text;
}

void kFiscalPrinterDevice::SaveZReportDate(DateTime aDate) const {
  ::SaveZReportDate(LogDirectory(), fSerialNumber, aDate);
}

DateTime kFiscalPrinterDevice::LoadZReportDate() const { return ::LoadZReportDate(LogDirectory(), fSerialNumber); }

// ---- public operations ----

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

void kFiscalPrinterDevice::Pub_GetVatTable(kReceiptPrinterHandler&, _int_GETVATTABLE_result& aResult) {
  BeginOperation("GetVATTable", aResult);
  aResult.VATTable.clear();
  GetVatTable();
  if (EndOperation(aResult))
    for (const kVat& vat : fVatTable.Items())
      aResult.VATTable.push_back({vat.fIndex, vat.fCode, vat.fDescription, vat.fRate});
}

// Public operations of later features: they fail rather than report a success
// that never reached the printer.
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

// ---- driver primitives a driver does not override ----

bool kFiscalPrinterDevice::BeginNoFiscalReceipt(const kNFReceipt&) { NotAvailable("BeginNoFiscalReceipt"); }
bool kFiscalPrinterDevice::PrintNoFiscalMessageTextLine(const kReceipt*, const kReceiptMessageTextLine&) {
  NotAvailable("PrintNoFiscalMessageTextLine");
}
bool kFiscalPrinterDevice::PrintNoFiscalMessageBarcodeLine(const kReceipt&, const kReceiptMessageBarcodeLine&) {
  NotAvailable("PrintNoFiscalMessageBarcodeLine");
}
bool kFiscalPrinterDevice::EndNoFiscalReceipt(const kNFReceipt&) { NotAvailable("EndNoFiscalReceipt"); }
bool kFiscalPrinterDevice::BeginFiscalReceipt(kReceipt&) { NotAvailable("BeginFiscalReceipt"); }
bool kFiscalPrinterDevice::EndFiscalReceipt(kReceipt&) { NotAvailable("EndFiscalReceipt"); }
bool kFiscalPrinterDevice::ProductSale(kReceipt&, const kReceiptLineProductSale&) { NotAvailable("ProductSale"); }
bool kFiscalPrinterDevice::ProductReturn(kReceipt&, const kReceiptLineProductReturn&) {
  NotAvailable("ProductReturn");
}
bool kFiscalPrinterDevice::WeightedProductSale(kReceipt&, const kReceiptLineWeightedProductSale&) {
  NotAvailable("WeightedProductSale");
}
bool kFiscalPrinterDevice::VoucherSale(kReceipt&, const kReceiptLineVoucherSale&) { NotAvailable("VoucherSale"); }
bool kFiscalPrinterDevice::VoucherRedeem(kReceipt&, const kReceiptLineVoucherRedeem&) {
  NotAvailable("VoucherRedeem");
}
bool kFiscalPrinterDevice::GiftCardSale(kReceipt&, const kReceiptLineGiftCardSale&) { NotAvailable("GiftCardSale"); }
bool kFiscalPrinterDevice::GiftCardRedeem(kReceipt&, const kReceiptLineGiftCardRedeem&) {
  NotAvailable("GiftCardRedeem");
}
bool kFiscalPrinterDevice::CollectAmount(kReceipt&, const kReceiptLineCollectAmount&) {
  NotAvailable("CollectAmount");
}
bool kFiscalPrinterDevice::PrintTextLine(kReceipt&, const kReceiptLineText&) { NotAvailable("PrintTextLine"); }
bool kFiscalPrinterDevice::SubTotal(kReceipt&, const kReceiptLineSubtotal&) { NotAvailable("SubTotal"); }
bool kFiscalPrinterDevice::DiscountAmount(kReceipt&, const kReceiptLineDiscountAmount&) {
  NotAvailable("DiscountAmount");
}
bool kFiscalPrinterDevice::DiscountPercentage(kReceipt&, const kReceiptLineDiscountPercentage&) {
  NotAvailable("DiscountPercentage");
}
bool kFiscalPrinterDevice::DiscountAmountOnSubTotal(kReceipt&, const kReceiptLineDiscountAmountOnSubTotal&) {
  NotAvailable("DiscountAmountOnSubTotal");
}
bool kFiscalPrinterDevice::DiscountPercentageOnSubTotal(kReceipt&, const kReceiptLineDiscountPercentageOnSubTotal&) {
  NotAvailable("DiscountPercentageOnSubTotal");
}
bool kFiscalPrinterDevice::MarkupAmount(kReceipt&, const kReceiptLineMarkupAmount&) { NotAvailable("MarkupAmount"); }
bool kFiscalPrinterDevice::MarkupPercentage(kReceipt&, const kReceiptLineMarkupPercentage&) {
  NotAvailable("MarkupPercentage");
}
bool kFiscalPrinterDevice::MarkupAmountOnSubTotal(kReceipt&, const kReceiptLineMarkupAmountOnSubTotal&) {
  NotAvailable("MarkupAmountOnSubTotal");
}
bool kFiscalPrinterDevice::MarkupPercentageOnSubTotal(kReceipt&, const kReceiptLineMarkupPercentageOnSubTotal&) {
  NotAvailable("MarkupPercentageOnSubTotal");
}
bool kFiscalPrinterDevice::Payment(kReceipt&, const kReceiptPaymentLine&) { NotAvailable("Payment"); }
bool kFiscalPrinterDevice::PrintTrailerMessageTextLine(kReceipt&, const kReceiptMessageTextLine&) {
  NotAvailable("PrintTrailerMessageTextLine");
}
bool kFiscalPrinterDevice::PrintTrailerMessageBarcodeLine(kReceipt&, const kReceiptMessageBarcodeLine&) {
  NotAvailable("PrintTrailerMessageBarcodeLine");
}
bool kFiscalPrinterDevice::Reset() { NotAvailable("Reset"); }
bool kFiscalPrinterDevice::XReport() { NotAvailable("XReport"); }
bool kFiscalPrinterDevice::ZReport() { NotAvailable("ZReport"); }
bool kFiscalPrinterDevice::GetLastDocumentInfo(DateTime&, std::string&, std::string&, std::string&, std::string&) {
  NotAvailable("GetLastDocumentInfo");
}
bool kFiscalPrinterDevice::GetStatus(_int_GETSTATUS_result&) { NotAvailable("GetStatus"); }
bool kFiscalPrinterDevice::GetDrawerStatus(int32_t, bool&) { NotAvailable("GetDrawerStatus"); }
bool kFiscalPrinterDevice::GetDateTime(DateTime&) { NotAvailable("GetDateTime"); }
bool kFiscalPrinterDevice::SetDateTime(DateTime) { NotAvailable("SetDateTime"); }
bool kFiscalPrinterDevice::SetTrainingMode(bool) { NotAvailable("SetTrainingMode"); }
bool kFiscalPrinterDevice::GetVatTable() { NotAvailable("GetVatTable"); }
bool kFiscalPrinterDevice::SetVatTable(const kVatTable&) { NotAvailable("SetVatTable"); }
bool kFiscalPrinterDevice::GetEATable() { NotAvailable("GetEATable"); }
bool kFiscalPrinterDevice::SetEATable(const kEconomicActivityTable&) { NotAvailable("SetEATable"); }
bool kFiscalPrinterDevice::GetDeptTable() { NotAvailable("GetDeptTable"); }
bool kFiscalPrinterDevice::SetDeptTable(const kDeptTable&) { NotAvailable("SetDeptTable"); }
bool kFiscalPrinterDevice::ClearDisplay() { NotAvailable("ClearDisplay"); }
bool kFiscalPrinterDevice::WriteDisplay(const kReceiptMessageLines&) { NotAvailable("WriteDisplay"); }
bool kFiscalPrinterDevice::OpenDrawer(int32_t) { NotAvailable("OpenDrawer"); }
bool kFiscalPrinterDevice::Pay(kPaymentReceipt&) { NotAvailable("Pay"); }
bool kFiscalPrinterDevice::ReprintReceipt(const kReceiptReference&) { NotAvailable("ReprintReceipt"); }
bool kFiscalPrinterDevice::EJZReport(tkEJReportDestination, DateTime, DateTime, std::string&) {
  NotAvailable("EJZReport");
}
bool kFiscalPrinterDevice::EJFiscalReceipt(tkEJReportDestination, DateTime, DateTime, int32_t, int32_t,
                                           std::string&) {
  NotAvailable("EJFiscalReceipt");
}
bool kFiscalPrinterDevice::EJNonFiscalReceipt(tkEJReportDestination, DateTime, DateTime, int32_t, int32_t,
                                              std::string&) {
  NotAvailable("EJNonFiscalReceipt");
}
bool kFiscalPrinterDevice::EJCreditNote(tkEJReportDestination, DateTime, DateTime, int32_t, int32_t, std::string&) {
  NotAvailable("EJCreditNote");
}
bool kFiscalPrinterDevice::EJInvoice(tkEJReportDestination, DateTime, DateTime, int32_t, int32_t, std::string&) {
  NotAvailable("EJInvoice");
}
bool kFiscalPrinterDevice::GetEJFiles(tkEJFilesRequestType, const std::string&, DateTime, DateTime, int32_t&) {
  NotAvailable("GetEJFiles");
}
bool kFiscalPrinterDevice::IsReady() { NotAvailable("IsReady"); }
bool kFiscalPrinterDevice::GetLotteryReceiptStatus(const kReceiptReference&) {
  NotAvailable("GetLotteryReceiptStatus");
}
bool kFiscalPrinterDevice::GetReceiptText(const kReceiptReference&, std::string&) { NotAvailable("GetReceiptText"); }
bool kFiscalPrinterDevice::Init() { NotAvailable("Init"); }
