#pragma once
// The abstract fiscal printer: one per open handle. It owns the connection
// handler to the printer and its trace file; the public operations Pub_... run
// one command each and fill the command's result record; the primitives that talk
// to the printer are virtual and belong to a concrete driver.

#include <cstdint>
#include <memory>
#include <string>

#include "documents/kVatTable.h"
#include "interface/ResultRecords.h"
#include "transport/kIOHandler.h"

class kReceiptPrinterHandler;
class tQN_ApplicationInfo;

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
  // recorded on the connection handler.
  // Prepares the printer after a successful connection; its result is not consulted.
  virtual bool Init() = 0;
  // Reads DayOpened, DateTime, PaperEnd, PaperNearEnd, CoverOpen, FiscalReceiptOpen,
  // ReceiptOpen, TrainingMode, FirmwareVersion, SerialNumber and FiscalMode.
  virtual bool GetStatus(_int_GETSTATUS_result& aStatus) = 0;
  // Reads the printer's VAT table into fVatTable.
  virtual bool GetVatTable() = 0;

  // Public operations, one per command.
  void Pub_Open(kReceiptPrinterHandler& aHandler, _int_OPEN_result& aResult);
  void Pub_Close(kReceiptPrinterHandler& aHandler, _int_CLOSE_result& aResult);
  void Pub_GetStatus(kReceiptPrinterHandler& aHandler, _int_GETSTATUS_result& aResult);
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
  void Pub_GetVatTable(kReceiptPrinterHandler& aHandler, _int_GETVATTABLE_result& aResult);
  void Pub_SetVatTable(kReceiptPrinterHandler& aHandler, _int_SETVATTABLE_result& aResult);
  void Pub_GetDeptTable(kReceiptPrinterHandler& aHandler, _int_GETDEPTTABLE_result& aResult);
  void Pub_SetDeptTable(kReceiptPrinterHandler& aHandler, _int_SETDEPTTABLE_result& aResult);
  void Pub_Pay(kReceiptPrinterHandler& aHandler, _int_PAY_result& aResult);
  void Pub_GetLotteryReceiptStatus(kReceiptPrinterHandler& aHandler, _int_GETLOTTERYRCPTSTATUS_result& aResult);

  int32_t fHandle = 0;        // given by the device map
  std::string fFiscalMode;    // as last reported by GetStatus ("RT", "MF")
  std::string fSerialNumber;  // as last reported by GetStatus
  kVatTable fVatTable;        // the printer's VAT table as last read

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
