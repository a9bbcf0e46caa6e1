#pragma once
// A driver for the command tests: a device over a fake connection whose
// behaviour each test sets through a TestPrinter.

#include <memory>
#include <stdexcept>
#include <string>

#include "device/kFiscalPrinterDevice.h"
#include "device/kReceiptPrinterHandler.h"
#include "interface/kDriverRegistry.h"
#include "runtime/tQN_ApplicationInfo.h"

struct TestPrinter {
  bool ConnectFails = false;
  std::string DisconnectError;  // recorded by Disconnect when not empty
  std::string InitFailure;      // thrown by Init when not empty
  std::string StatusError;      // recorded by GetStatus when not empty
};

class FakeIOHandler : public kIOHandler {
public:
  explicit FakeIOHandler(const TestPrinter& aPrinter) : kIOHandler(nullptr, "", ""), fPrinter(aPrinter) {}
  bool Connect() override { return !fPrinter.ConnectFails; }
  bool Disconnect() override {
    if (!fPrinter.DisconnectError.empty()) SetCustomError(-99, fPrinter.DisconnectError);
    return true;
  }
  void ClearBuffers() override {}
  bool Write(const std::string&) override { return true; }
  std::string ReadUpTo(std::string_view) override { return {}; }
  std::string ReadChars(int32_t) override { return {}; }
  std::string ReadAll() override { return {}; }
  std::string DecodeError(int32_t) override { return {}; }
  void SetParameter(const std::string&, const std::string&) override {}

protected:
  const char* ClassName() const override { return "FakeIOHandler"; }

private:
  const TestPrinter& fPrinter;
};

inline const tQN_ApplicationInfo& TestInfo() {
  static const tQN_ApplicationInfo info = [] {
    tQN_ApplicationInfo i;
    i.fVersion = "9.99";
    i.fReleaseDate = DateTime::Encode(2021, 6, 19);
    return i;
  }();
  return info;
}

class TestDevice : public kFiscalPrinterDevice {
public:
  TestDevice(const kReceiptPrinterHandler& aHandler, const TestPrinter& aPrinter)
      : kFiscalPrinterDevice(aHandler, TestInfo(), std::make_unique<FakeIOHandler>(aPrinter)), fPrinter(aPrinter) {}

  bool Init() override {
    if (!fPrinter.InitFailure.empty()) throw std::runtime_error(fPrinter.InitFailure);
    return true;
  }
  bool GetStatus(_int_GETSTATUS_result& aStatus) override {
    if (!fPrinter.StatusError.empty()) {
      IOHandler().SetCustomError(-99, fPrinter.StatusError);
      return false;
    }
    aStatus.DayOpened = true;
    aStatus.SerialNumber = "99MEX000042";
    aStatus.FiscalMode = "RT";
    return true;
  }
  bool GetVatTable() override {
    fVatTable.Clear();
    fVatTable.Add({1, "A", "IVA 22%", Currency::FromUnits(22)});
    fVatTable.Add({2, "B", "IVA 5,5%", Currency::FromRaw(55000)});
    return true;
  }

private:
  const TestPrinter& fPrinter;
};

inline kFiscalPrinterClass TestDriverClass(const TestPrinter& aPrinter) {
  return {[&aPrinter](const kReceiptPrinterHandler& aHandler) -> std::unique_ptr<kFiscalPrinterDevice> {
            return std::make_unique<TestDevice>(aHandler, aPrinter);
          },
          [] { return kFiscalPrinterDevice::GetDriverVersion(TestInfo()); }};
}
