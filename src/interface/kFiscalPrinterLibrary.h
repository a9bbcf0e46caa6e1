#pragma once
// What the library keeps while it is loaded, created at load in this order and
// destroyed at unload in reverse: the application object, the map of open devices
// and the driver registry; plus the lock that serialises the exports.
//
// The host's timer resolution, raised for the library's lifetime on Windows, needs
// no counterpart here: POSIX timers and sleeps already have fine resolution.

#include <mutex>

#include "interface/kDeviceMap.h"
#include "interface/kDriverRegistry.h"
#include "runtime/tQN_Application.h"

class kFiscalPrinterLibrary {
public:
  kFiscalPrinterLibrary();
  ~kFiscalPrinterLibrary();
  kFiscalPrinterLibrary(const kFiscalPrinterLibrary&) = delete;
  kFiscalPrinterLibrary& operator=(const kFiscalPrinterLibrary&) = delete;

  tQN_Application& Application() { return fApplication; }
  kDeviceMap& Devices() { return fDevices; }
  kDriverRegistry& Drivers() { return fDrivers; }
  // Held by every export for the whole call.
  std::mutex& ExportLock() { return fExportLock; }

private:
  tQN_Application fApplication;
  kDeviceMap fDevices;
  kDriverRegistry fDrivers;
  std::mutex fExportLock;
};

// The one object of the loaded library.
kFiscalPrinterLibrary& Library();
