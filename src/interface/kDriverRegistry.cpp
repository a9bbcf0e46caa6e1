#include "interface/kDriverRegistry.h"

#include "device/kReceiptPrinterHandler.h"
#include "epson/kFiscalPrinter_REZIDAZE.h"

void kDriverRegistry::Register(const std::string& aName, kFiscalPrinterClass aClass) {
  fClasses.insert_or_assign(aName, std::move(aClass));
}

const kFiscalPrinterClass* kDriverRegistry::Find(const std::string& aName) const {
  const auto found = fClasses.find(aName);
  return found == fClasses.end() ? nullptr : &found->second;
}

kDriverRegistry kDriverRegistry::WithBuiltInDrivers(const tQN_ApplicationInfo& aInfo) {
  kDriverRegistry registry;
  registry.Register("QNRP_REZIDAZE_10",
                    {[&aInfo](const kReceiptPrinterHandler& aHandler) -> std::unique_ptr<kFiscalPrinterDevice> {
                       return std::make_unique<kFiscalPrinter_REZIDAZE>(aHandler, aInfo);
                     },
                     [&aInfo] { return kFiscalPrinter_REZIDAZE::GetDriverVersion(aInfo); }});
  return registry;
}
