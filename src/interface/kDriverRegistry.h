#pragma once
// The drivers the library knows: driver name (the request's Driver, exact case)
// to the class that builds its device.

#include <functional>
#include <map>
#include <memory>
#include <string>

class kFiscalPrinterDevice;
class kReceiptPrinterHandler;
class tQN_ApplicationInfo;

// A driver class: builds a device from the request that creates it, and tells the
// driver's version text without a device.
struct kFiscalPrinterClass {
  std::function<std::unique_ptr<kFiscalPrinterDevice>(const kReceiptPrinterHandler&)> Create;
  std::function<std::string()> GetDriverVersion;
};

class kDriverRegistry {
public:
  // Adds or replaces the class of aName.
  void Register(const std::string& aName, kFiscalPrinterClass aClass);
  // The class registered under exactly aName, or null.
  const kFiscalPrinterClass* Find(const std::string& aName) const;

  // A registry holding the library's drivers: QNRP_REZIDAZE_10. aInfo, the
  // library's version information, must outlive the registry.
  static kDriverRegistry WithBuiltInDrivers(const tQN_ApplicationInfo& aInfo);

private:
  std::map<std::string, kFiscalPrinterClass, std::less<>> fClasses;
};
