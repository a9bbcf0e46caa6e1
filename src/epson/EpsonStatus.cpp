// Status and initialisation of the Epson driver: the printer parameters, the
// status read, the clock read and the automatic Z report behind an RT server.

#include <chrono>
#include <cstdlib>
#include <stdexcept>
#include <thread>

#include "epson/EpsonFields.h"
#include "epson/TemporaryReadTimeout.h"
#include "epson/kFiscalPrinter_REZIDAZE.h"
#include "runtime/Convert.h"

using epson::N;

namespace {

constexpr auto kDailyDataPause = std::chrono::milliseconds(200);
constexpr int32_t kZReportReadTimeoutMs = 5000;
constexpr int64_t kMsPerMinute = 60000;
constexpr int64_t kMaxClockDriftMinutes = 5;
constexpr int64_t kMaxDaysWithoutZReport = 90;

std::string BoolText(bool aValue) { return aValue ? "True" : "False"; }

// Digits read as a number; 0 for anything else.
int32_t IntegerOrZero(const std::string& aText) {
  int32_t value = 0;
  return TryStrToInt32(aText, value) ? value : 0;
}

bool StartsWithAny(const std::string& aText, std::initializer_list<const char*> aPrefixes) {
  for (const char* prefix : aPrefixes)
    if (aText.starts_with(prefix)) return true;
  return false;
}

// Whole units of aUnitMs between two times, ignoring the sign.
int64_t WholeUnitsBetween(DateTime a, DateTime b, int64_t aUnitMs) {
  return std::llabs(a.Milliseconds() - b.Milliseconds()) / aUnitMs;
}

}  // namespace

std::string kFiscalPrinter_REZIDAZE::GetS14Value(int32_t aNumber) {
  return ExecuteCommand("4214", N(aNumber, 2), "GetS14Value") ? RD(3, 3) : std::string();
}

bool kFiscalPrinter_REZIDAZE::SetS14Value(int32_t aNumber, std::string_view aValue) {
  if (GetS14Value(aNumber) == aValue) return true;
  return ExecuteCommand("4014", N(aNumber, 2) + std::string(aValue), "SetS14Value");
}

bool kFiscalPrinter_REZIDAZE::SetTrainingMode(bool aEnabled) { return SetS14Value(1, aEnabled ? "1" : "0"); }

bool kFiscalPrinter_REZIDAZE::Init() {
  fExchange.fAckEnabled = GetS14Value(27) == "1";
  IOHandler().Debug(let_info, "AckEnabled=" + BoolText(fExchange.fAckEnabled));
  fJavaPOSEnabled = GetS14Value(29) == "1";
  IOHandler().Debug(let_info, "JavaposEnabled=" + BoolText(fJavaPOSEnabled));
  fLineLength = GetS14Value(51) == "0" ? 46 : 40;
  IOHandler().Debug(let_info, "LineLength=" + std::to_string(fLineLength));
  SetS14Value(11, "1");
  SetS14Value(13, "0");
  Reset();
  if (fRTServerActive) RunOverdueZReport();
  IOHandler().ResetCustomError();
  return true;
}

void kFiscalPrinter_REZIDAZE::RunOverdueZReport() {
  _int_GETSTATUS_result status;
  GetStatus(status);
  fSerialNumber = status.SerialNumber;
  const DateTime now = fClock();
  const bool clockOff = WholeUnitsBetween(status.DateTime, now, kMsPerMinute) > kMaxClockDriftMinutes;
  const bool due = clockOff || WholeUnitsBetween(now, LoadZReportDate(), DateTime::kMsPerDay) > kMaxDaysWithoutZReport;
  if (!due) return;
  bool done;
  {
    TemporaryReadTimeout slow(IOHandler(), kZReportReadTimeoutMs);
    done = ExecuteCommand("3001", "01", "ZReport");
  }
  if (done) {
    SaveZReportDate(now);
    SetDateTime(now);
  }
}

bool kFiscalPrinter_REZIDAZE::ReadDailyData() {
  for (int request = 1;; ++request) {
    if (!ExecuteCommand("2050", "2400", "GetStatus-GetDailyData[Receipts]")) return false;
    if (FRD(1, 4) == "2050") return true;
    if (request == kDailyDataRequests) {
      IOHandler().Debug(let_error, "No reply with code 2050 after " + std::to_string(request) + " requests");
      return false;
    }
    std::this_thread::sleep_for(kDailyDataPause);
  }
}

bool kFiscalPrinter_REZIDAZE::GetStatus(_int_GETSTATUS_result& aStatus) {
  bool ok = ReadDailyData();
  aStatus.DayOpened = ok && IntegerOrZero(RD(16, 24)) != 0;
  if (ok) {
    ok = GetDateTime(aStatus.DateTime);
    if (ok)
      ok = GetPrinterStatus(aStatus.PaperEnd, aStatus.PaperNearEnd, aStatus.CoverOpen, aStatus.FiscalReceiptOpen,
                            aStatus.ReceiptOpen, aStatus.FirmwareVersion);
  }
  aStatus.TrainingMode = GetS14Value(1) == "1";
  std::string serialLetter;
  if (StartsWithAny(aStatus.FirmwareVersion, {"1.", "2."})) {
    aStatus.FiscalMode = "MF";
  } else {
    ReadRTStatus(aStatus, ok, serialLetter);
  }
  if (ok) {
    ok = ExecuteCommand("3217", "01", "GetStatus-GetSerial");
    if (ok) aStatus.SerialNumber = RD(11, 12) + serialLetter + RD(9, 10) + RD(3, 8);
  }
  IOHandler().Debug(let_info, "FiscalMode=" + aStatus.FiscalMode);
  IOHandler().Debug(let_info, "TrainingMode=" + BoolText(aStatus.TrainingMode));
  IOHandler().Debug(let_info, "SerialNumber=" + aStatus.SerialNumber);
  return ok;
}

void kFiscalPrinter_REZIDAZE::ReadRTStatus(_int_GETSTATUS_result& aStatus, bool& aOk, std::string& aSerialLetter) {
  if (aOk && ExecuteCommand("1138", "01", "GetStatus-RTStatus")) {
    aSerialLetter = RD(3, 3);
    const std::string main = RD(4, 5);
    if (main == "01") {
      aStatus.FiscalMode = "MF";
    } else if (main == "02") {
      aStatus.FiscalMode = "RT";
    } else {
      throw std::runtime_error("Unknown RTMain Value:" + main);
    }
    aStatus.TrainingMode = aStatus.TrainingMode || RD(39, 39) == "1";
    return;
  }
  // Printers without the RT status command, or a status read that failed: MF,
  // and the serial-number read decides the outcome.
  aStatus.FiscalMode = "MF";
  IOHandler().ResetCustomError();
  aOk = true;
}

bool kFiscalPrinter_REZIDAZE::GetDateTime(DateTime& aDateTime) {
  if (!ExecuteCommand("4201", "", "GetDateTime")) return false;
  aDateTime = DateTime::Encode(2000 + StrToInt32(RD(5, 6)), StrToInt32(RD(3, 4)), StrToInt32(RD(1, 2)),
                               StrToInt32(RD(7, 8)), StrToInt32(RD(9, 10)));
  return true;
}

bool kFiscalPrinter_REZIDAZE::GetPrinterStatus(bool& aPaperEnd, bool& aPaperNearEnd, bool& aCoverOpen,
                                               bool& aFiscalReceiptOpen, bool& aReceiptOpen,
                                               std::string& aFirmwareVersion) {
  if (!ExecuteCommand("1074", "01", "GetStatus-GetPrinterStatus")) return false;
  aFirmwareVersion = RD(3, 7);
  const std::string paper = RD(13, 13);
  const std::string document = RD(16, 16);
  aPaperEnd = paper == "3";
  aCoverOpen = paper == "3";
  aPaperNearEnd = paper == "2";
  aFiscalReceiptOpen = !document.empty() && std::string_view("0345789").find(document[0]) != std::string_view::npos;
  aReceiptOpen = document == "2" || document == "6";
  fFirmwareVersion = aFirmwareVersion;
  return true;
}

bool kFiscalPrinter_REZIDAZE::ResetIfDocumentOpen() {
  bool paperEnd = false, paperNearEnd = false, coverOpen = false, fiscalReceiptOpen = false, receiptOpen = false;
  std::string firmware;
  const bool ok = GetPrinterStatus(paperEnd, paperNearEnd, coverOpen, fiscalReceiptOpen, receiptOpen, firmware);
  if (fiscalReceiptOpen || receiptOpen) Reset();
  return ok;
}
