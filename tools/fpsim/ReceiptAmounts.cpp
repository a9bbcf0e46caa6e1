#include "ReceiptAmounts.h"

#include "ClosingFiles.h"

#include <algorithm>

Cents DocumentTotal(const std::vector<ReceiptLine>& lines) {
  Cents total = 0;
  for (const ReceiptLine& line : lines) total += line.amount;
  return total;
}

Cents PaidTotal(const std::vector<ReceiptPayment>& payments) {
  Cents paid = 0;
  for (const ReceiptPayment& payment : payments) paid += payment.amount;
  return paid;
}

namespace {

bool InSlotRange(int slot) { return slot >= 0 && slot < static_cast<int>(SlotAmounts().size()); }

// Spreads an amount over the slots in proportion to their amounts so far.
void Spread(SlotAmounts& slots, Cents amount, int fallbackSlot) {
  Cents base = 0;
  for (Cents value : slots) base += value;
  const auto largest = static_cast<size_t>(std::max_element(slots.begin(), slots.end()) - slots.begin());
  if (base <= 0) {
    slots[static_cast<size_t>(InSlotRange(fallbackSlot) ? fallbackSlot : static_cast<int>(largest))] += amount;
    return;
  }
  Cents spread = 0;
  for (Cents& value : slots) {
    const Cents share = value * amount / base;
    value += share;
    spread += share;
  }
  slots[largest] += amount - spread;
}

}  // namespace

SlotAmounts AmountsBySlot(const std::vector<ReceiptLine>& lines) {
  SlotAmounts slots{};
  int lastSlot = kWholeDocument;
  for (const ReceiptLine& line : lines) {
    if (line.vatSlot == kWholeDocument) {
      Spread(slots, line.amount, lastSlot);
    } else if (InSlotRange(line.vatSlot)) {
      slots[static_cast<size_t>(line.vatSlot)] += line.amount;
      lastSlot = line.vatSlot;
    }
  }
  return slots;
}

Cents VatOf(Cents gross, int rate) { return gross - NetOfVat(gross, rate); }
