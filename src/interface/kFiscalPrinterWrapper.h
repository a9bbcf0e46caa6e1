#pragma once
// The command objects behind the exports. One object per call: it parses the
// request into its kReceiptPrinterHandler, finds (or creates) the device of the
// request's handle, runs the command's device operation and keeps the command's
// result record, from which the export answers.

#include <string>
#include <string_view>

#include "QNRP_REZIDAZE_10.h"
#include "device/kReceiptPrinterHandler.h"
#include "interface/ResultFormat.h"

class kDeviceMap;
class kDriverRegistry;
class kFiscalPrinterDevice;

class kFiscalPrinterWrapper {
public:
  kFiscalPrinterWrapper(const kDriverRegistry& aDrivers, kDeviceMap& aDevices);
  virtual ~kFiscalPrinterWrapper();
  kFiscalPrinterWrapper(const kFiscalPrinterWrapper&) = delete;
  kFiscalPrinterWrapper& operator=(const kFiscalPrinterWrapper&) = delete;

  // Sets the result record to the values of a command that has not run: every
  // field empty, zero or false, and Error true.
  virtual void InitResult() = 0;
  // The fragment, the error text and the result code of the result record.
  virtual FormattedResult Format() const = 0;

  // Runs the command on the request (UTF-8 text). A failure never leaves: its
  // message goes into the result record's ErrorText with Error true.
  void Process(std::string_view aXml);
  // The same for the request as the host passed it.
  void Process(BSTR aXml);

  kReceiptPrinterHandler fHandler;

protected:
  // Parses, finds the device, runs the operation and the steps after it.
  virtual void Execute(std::string_view aXml) = 0;
  // Records a failure with aMessage in the result record.
  virtual void RecordFailure(const std::string& aMessage) = 0;

  // The device of the request's handle. A handle of 0 or less creates a device of
  // the request's driver when aMayCreate, and fails otherwise; a positive handle
  // must name an open device, whose connection error state is then cleared.
  kFiscalPrinterDevice& FindDevice(bool aMayCreate);

  const kDriverRegistry& fDrivers;
  kDeviceMap& fDevices;
  kFiscalPrinterDevice* fDevice = nullptr;  // the device, once FindDevice found it

private:
  template <class TBody>
  void Guarded(TBody&& aBody);
};
