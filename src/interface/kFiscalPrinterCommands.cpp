#include "interface/kFiscalPrinterCommands.h"

#include "interface/kDeviceMap.h"

template <>
void kFiscalPrinterCommand<kCommand_OPEN>::AfterOperation(kFiscalPrinterDevice& aDevice) {
  if (fResult.Error) return;
  fResult.Handle = aDevice.fHandle;
  aDevice.Init();
  // These steps load the printer's fiscal mode, serial number and VAT table into
  // the device; their results and recorded errors do not reach the OPEN result.
  _int_GETSTATUS_result status{};
  aDevice.Pub_GetStatus(fHandler, status);
  _int_GETVATTABLE_result vatTable{};
  aDevice.Pub_GetVatTable(fHandler, vatTable);
}

template <>
void kFiscalPrinterCommand<kCommand_CLOSE>::AfterOperation(kFiscalPrinterDevice& aDevice) {
  fDevice = nullptr;
  fDevices.Remove(aDevice.fHandle);
}
