#include "epson/kFiscalPrinter_REZIDAZE.h"

#include <stdexcept>

kFiscalPrinter_REZIDAZE::kFiscalPrinter_REZIDAZE(const kReceiptPrinterHandler& aHandler,
                                                 const tQN_ApplicationInfo& aInfo)
    : kFiscalPrinterDevice(aHandler, aInfo) {}

// The printer initialisation, the status and the VAT table reads are not part of this build yet:
// they fail the command rather than report a printer that was never asked.
bool kFiscalPrinter_REZIDAZE::Init() { throw std::runtime_error("Init is not available in this build"); }

bool kFiscalPrinter_REZIDAZE::GetStatus(_int_GETSTATUS_result&) {
  throw std::runtime_error("GetStatus is not available in this build");
}

bool kFiscalPrinter_REZIDAZE::GetVatTable() { throw std::runtime_error("GetVatTable is not available in this build"); }
