#pragma once
// How the printer lays out the lines of its fiscal documents and reports.

#include "PrinterState.h"

#include <string>
#include <string_view>

// "1.234,56", "-3,00": the Italian way, comma for decimals, point for thousands.
std::string MoneyText(Cents amount);
// Quantity in thousandths: "2", "1,5", "0,125".
std::string QuantityText(int64_t thousandths);

// The label ends at the left, the amount ends in the last column; a label too long
// for both is cut.
std::string AmountLine(std::string_view label, Cents amount, size_t width);
// The same with a text in place of the amount.
std::string LabelValueLine(std::string_view label, std::string_view value, size_t width);
std::string Centred(std::string_view text, size_t width);

// The nature code of an exempt VAT slot ("N4" for 0, "N1" ... "N6" for 10-14), or
// empty for the rated slots 1-9.
std::string NatureOfSlot(int slot);
// The VAT label an item line shows: "22%", "5,5%", or the nature's label ("ES*" ...).
std::string VatLabel(const PrinterState& state, int slot);
// The rate of a slot in hundredths of a percent (0 for the natures).
int RateOfSlot(const PrinterState& state, int slot);

// An item line: description, VAT label in four columns, amount ending in the last column.
std::string ItemLine(std::string_view description, std::string_view vatLabel, Cents amount, size_t width);
