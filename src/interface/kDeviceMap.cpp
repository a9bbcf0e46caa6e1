#include "interface/kDeviceMap.h"

#include <limits>
#include <stdexcept>

#include "device/kFiscalPrinterDevice.h"

kDeviceMap::kDeviceMap() = default;
kDeviceMap::~kDeviceMap() = default;

kFiscalPrinterDevice& kDeviceMap::Add(std::unique_ptr<kFiscalPrinterDevice> aDevice) {
  if (fLastHandle == std::numeric_limits<int32_t>::max())
    throw std::runtime_error("No more device handles are available");
  kFiscalPrinterDevice& device = *aDevice;
  device.fHandle = fLastHandle + 1;
  fDevices.emplace(device.fHandle, std::move(aDevice));
  ++fLastHandle;
  return device;
}

kFiscalPrinterDevice* kDeviceMap::Find(int32_t aHandle) const {
  const auto found = fDevices.find(aHandle);
  return found == fDevices.end() ? nullptr : found->second.get();
}

void kDeviceMap::Remove(int32_t aHandle) { fDevices.erase(aHandle); }
