#pragma once
// The amounts of the fiscal document in progress: its total, what has been paid,
// and how the total splits over the VAT slots.

#include "PrinterState.h"

#include <array>
#include <vector>

// Slot of the lines whose amount spreads over the whole document (subtotal
// discounts and mark-ups).
constexpr int kWholeDocument = -1;

using SlotAmounts = std::array<Cents, 15>;

Cents DocumentTotal(const std::vector<ReceiptLine>& lines);
Cents PaidTotal(const std::vector<ReceiptPayment>& payments);

// The total by VAT slot: each line in its slot, the whole-document lines spread in
// proportion to the slots' amounts before them (the rounding rest goes to the
// largest slot).
SlotAmounts AmountsBySlot(const std::vector<ReceiptLine>& lines);

// The VAT contained in a gross amount at the rate (hundredths of a percent).
Cents VatOf(Cents gross, int rate);
