#pragma once
// The Epson fiscal printer driver (RT and MF printers, native framed protocol),
// registered as QNRP_REZIDAZE_10.

#include "device/kFiscalPrinterDevice.h"

class kFiscalPrinter_REZIDAZE : public kFiscalPrinterDevice {
public:
  kFiscalPrinter_REZIDAZE(const kReceiptPrinterHandler& aHandler, const tQN_ApplicationInfo& aInfo);

  bool Init() override;
  bool GetStatus(_int_GETSTATUS_result& aStatus) override;
  bool GetVatTable() override;
};
