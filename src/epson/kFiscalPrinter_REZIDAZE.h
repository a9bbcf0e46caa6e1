#pragma once
// The Epson fiscal printer driver (RT and MF printers, native framed protocol),
// registered as QNRP_REZIDAZE_10. Every operation is a sequence of native
// commands sent through ExecuteCommand; the reply positions RD and FRD are
// 1-based positions in the last reply's data (RD) or code and data (FRD).

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "device/kFiscalPrinterDevice.h"
#include "epson/kEpsonExchange.h"

class kFiscalPrinter_REZIDAZE : public kFiscalPrinterDevice {
public:
  // A printer keeps answering 2050 with the reply of an earlier command at most
  // this many times; then the daily data counts as not read.
  static constexpr int kDailyDataRequests = 5;

  kFiscalPrinter_REZIDAZE(const kReceiptPrinterHandler& aHandler, const tQN_ApplicationInfo& aInfo);
  // With a connection handler of the caller's choice (tests, other transports).
  kFiscalPrinter_REZIDAZE(const kReceiptPrinterHandler& aHandler, const tQN_ApplicationInfo& aInfo,
                          std::unique_ptr<kIOHandler> aIOHandler);

  // One native command; see kEpsonExchange::ExecuteCommand.
  bool ExecuteCommand(std::string_view aCommand, std::string_view aData, std::string_view aDescription) {
    return fExchange.ExecuteCommand(aCommand, aData, aDescription);
  }
  std::string RD(size_t aFrom, size_t aTo) const { return fExchange.RD(aFrom, aTo); }
  std::string FRD(size_t aFrom, size_t aTo) const { return fExchange.FRD(aFrom, aTo); }

  // Reads the printer parameters (acknowledgements, explicit receipt end, print
  // columns), sets parameters 11 and 13, resets the printer and, behind an RT
  // server, runs an overdue Z report. Never fails: failed reads keep defaults,
  // and their errors are cleared so that they do not fail the commands after it.
  bool Init() override;
  bool GetStatus(_int_GETSTATUS_result& aStatus) override;
  bool GetDateTime(DateTime& aDateTime) override;
  bool SetDateTime(DateTime aDateTime) override;
  bool SetTrainingMode(bool aEnabled) override;
  bool Reset() override;
  bool GetVatTable() override;

  // Operations this driver answers without a command.
  bool GetEATable() override { return true; }
  bool SetEATable(const kEconomicActivityTable&) override { return true; }
  bool GetEJFiles(tkEJFilesRequestType, const std::string&, DateTime, DateTime, int32_t& aFilesCount) override;
  bool IsReady() override { return true; }
  bool GetReceiptText(const kReceiptReference&, std::string&) override { return true; }

  // A one-character printer parameter; empty when the read fails.
  std::string GetS14Value(int32_t aNumber);
  // Writes the parameter unless it already holds aValue.
  bool SetS14Value(int32_t aNumber, std::string_view aValue);
  // Paper, cover and document state and the firmware version (command 1074); the
  // outputs are left as they were when the command fails.
  bool GetPrinterStatus(bool& aPaperEnd, bool& aPaperNearEnd, bool& aCoverOpen, bool& aFiscalReceiptOpen,
                        bool& aReceiptOpen, std::string& aFirmwareVersion);
  // Resets the printer when a document is open; the result of the status read.
  bool ResetIfDocumentOpen();

  kEpsonExchange fExchange;
  // The computer's clock, compared with the printer's; tests give a fixed time.
  std::function<DateTime()> fClock = &DateTime::Now;
  bool fJavaPOSEnabled = false;        // receipts end with an explicit end command
  std::string fFirmwareVersion;        // as last read by GetPrinterStatus
  // The printer's own web server, for the RT data files.
  std::string fBaseURL;
  std::string fHTTPUser;
  std::string fHTTPPassword;
  tkHTTPAuthType fHTTPAuthType = at_None;

private:
  void SetDriverValues(const kReceiptPrinterHandler& aHandler);
  // Command 2050 until its reply carries code 2050 (at most kDailyDataRequests).
  bool ReadDailyData();
  // The fiscal mode of a printer whose firmware is not MF-only (command 1138).
  void ReadRTStatus(_int_GETSTATUS_result& aStatus, bool& aOk, std::string& aSerialLetter);
  // Behind an RT server: a Z report when the printer's clock is off or the last
  // Z report is more than 90 days old.
  void RunOverdueZReport();
};
