#pragma once
// The open devices by handle, and the handle numbering: every device that is
// added takes the next number (1, 2, 3, ...); numbers are never reused.

#include <cstdint>
#include <map>
#include <memory>

class kFiscalPrinterDevice;

class kDeviceMap {
public:
  kDeviceMap();
  ~kDeviceMap();
  kDeviceMap(const kDeviceMap&) = delete;
  kDeviceMap& operator=(const kDeviceMap&) = delete;

  // Takes the next handle, stores it in the device's fHandle and keeps the device
  // under it. Throws std::runtime_error when the numbers are exhausted.
  kFiscalPrinterDevice& Add(std::unique_ptr<kFiscalPrinterDevice> aDevice);
  // The device of aHandle, or null.
  kFiscalPrinterDevice* Find(int32_t aHandle) const;
  // Removes and destroys the device of aHandle, if there is one.
  void Remove(int32_t aHandle);

private:
  std::map<int32_t, std::unique_ptr<kFiscalPrinterDevice>> fDevices;
  int32_t fLastHandle = 0;
};
