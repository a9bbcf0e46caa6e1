// Settings and tables of the Epson driver: printer reset, clock, VAT table.

#include "epson/EpsonFields.h"
#include "epson/TemporaryReadTimeout.h"
#include "epson/kFiscalPrinter_REZIDAZE.h"
#include "runtime/Convert.h"

using epson::N;

namespace {

constexpr int32_t kResetReadTimeoutMs = 3000;
constexpr int32_t kRTVatSlots = 9;
constexpr int32_t kMFVatSlots = 4;

// Zero-rate entries for the nature codes of exempt sales; they take no printer slot.
struct NatureEntry {
  const char* code;
  int32_t index;
};
constexpr NatureEntry kNatureEntries[] = {{"N4", 0}, {"N1", 10}, {"N2", 11}, {"N3", 12}, {"N5", 13}, {"N6", 14}};

}  // namespace

bool kFiscalPrinter_REZIDAZE::Reset() {
  TemporaryReadTimeout slow(IOHandler(), kResetReadTimeoutMs);
  return ExecuteCommand("1088", "01", "Reset");
}

bool kFiscalPrinter_REZIDAZE::SetDateTime(DateTime aDateTime) {
  const CivilDateTime civil = aDateTime.ToCivil();
  return ExecuteCommand("4001",
                        N(civil.day, 2) + N(civil.month, 2) + N(civil.year, 2) + N(civil.hour, 2) +
                            N(civil.minute, 2) + "00",
                        "SetDateTime");
}

bool kFiscalPrinter_REZIDAZE::GetVatTable() {
  fVatTable.Clear();
  const int32_t slots = fFiscalMode == "RT" ? kRTVatSlots : kMFVatSlots;
  bool ok = true;
  for (int32_t slot = 1; slot <= slots && ok; ++slot) {
    ok = ExecuteCommand("4205", N(slot, 2), "GetVatTable");
    const std::string rate = RD(3, 6);
    if (ok && rate != "0000") fVatTable.Add({slot, rate, rate, Currency::FromRaw(int64_t{StrToInt32(rate)} * 100)});
  }
  if (fFiscalMode != "MF" || fRTServerActive)
    for (const auto& nature : kNatureEntries) fVatTable.Add({nature.index, nature.code, nature.code, Currency()});
  return ok;
}
