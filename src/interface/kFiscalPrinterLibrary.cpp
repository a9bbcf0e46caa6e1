#include "interface/kFiscalPrinterLibrary.h"

#include "device/kFiscalPrinterDevice.h"

// The application object never fails for want of its log folder (it runs without
// a log then), so loading the library does not fail for that either.
kFiscalPrinterLibrary::kFiscalPrinterLibrary() : fDrivers(kDriverRegistry::WithBuiltInDrivers(fApplication.Info())) {}

// Devices still open are destroyed with the map, before the application object.
kFiscalPrinterLibrary::~kFiscalPrinterLibrary() = default;

kFiscalPrinterLibrary& Library() {
  static kFiscalPrinterLibrary library;
  return library;
}

namespace {

// Creates the library's object when the library is loaded rather than at the first
// call, so that the application log exists from the start. A failure here must not
// stop the host: the first call tries again and reports it.
bool CreateAtLoad() noexcept {
  try {
    Library();
    return true;
  } catch (...) {
    return false;
  }
}

[[maybe_unused]] const bool gCreatedAtLoad = CreateAtLoad();

}  // namespace
