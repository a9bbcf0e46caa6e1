#include "interface/kFiscalPrinterWrapper.h"

#include <stdexcept>

#include "device/kFiscalPrinterDevice.h"
#include "interface/Bstr.h"
#include "interface/kDeviceMap.h"
#include "interface/kDriverRegistry.h"

kFiscalPrinterWrapper::kFiscalPrinterWrapper(const kDriverRegistry& aDrivers, kDeviceMap& aDevices)
    : fDrivers(aDrivers), fDevices(aDevices) {}

kFiscalPrinterWrapper::~kFiscalPrinterWrapper() = default;

template <class TBody>
void kFiscalPrinterWrapper::Guarded(TBody&& aBody) {
  InitResult();
  try {
    aBody();
  } catch (const std::exception& e) {
    RecordFailure(e.what());
  } catch (...) {
    RecordFailure("Unknown error");
  }
}

void kFiscalPrinterWrapper::Process(std::string_view aXml) {
  Guarded([&] { Execute(aXml); });
}

void kFiscalPrinterWrapper::Process(BSTR aXml) {
  Guarded([&] { Execute(RequestText(aXml)); });
}

kFiscalPrinterDevice& kFiscalPrinterWrapper::FindDevice(bool aMayCreate) {
  const int32_t handle = fHandler.fDeviceHandle;
  if (handle <= 0) {
    if (!aMayCreate) throw std::runtime_error("Fiscal Printer has not previously opened");
    const kFiscalPrinterClass* driver = fDrivers.Find(fHandler.fDriver);
    if (driver == nullptr) throw std::runtime_error("Fiscal Printer Driver [" + fHandler.fDriver + "] not registered.");
    fDevice = &fDevices.Add(driver->Create(fHandler));
    return *fDevice;
  }
  fDevice = fDevices.Find(handle);
  if (fDevice == nullptr) throw std::runtime_error("Printer Handle not found");
  fDevice->IOHandler().ResetCustomError();
  return *fDevice;
}
