#include "ReceiptLayout.h"

#include <cstdlib>

std::string MoneyText(Cents amount) {
  std::string units = std::to_string(std::llabs(amount) / 100);
  for (int at = static_cast<int>(units.size()) - 3; at > 0; at -= 3) units.insert(static_cast<size_t>(at), ".");
  const int64_t cents = std::llabs(amount) % 100;
  return (amount < 0 ? "-" : "") + units + "," + (cents < 10 ? "0" : "") + std::to_string(cents);
}

std::string QuantityText(int64_t thousandths) {
  std::string text = std::to_string(thousandths / 1000);
  int64_t fraction = thousandths % 1000;
  if (fraction == 0) return text;
  std::string decimals = std::to_string(1000 + fraction).substr(1);
  while (decimals.back() == '0') decimals.pop_back();
  return text + "," + decimals;
}

std::string LabelValueLine(std::string_view label, std::string_view value, size_t width) {
  const std::string shown(label.substr(0, width > value.size() + 1 ? width - value.size() - 1 : 0));
  const size_t pad = width > shown.size() + value.size() ? width - shown.size() - value.size() : 1;
  return shown + std::string(pad, ' ') + std::string(value);
}

std::string AmountLine(std::string_view label, Cents amount, size_t width) {
  return LabelValueLine(label, MoneyText(amount), width);
}

std::string Centred(std::string_view text, size_t width) {
  if (text.size() >= width) return std::string(text.substr(0, width));
  return std::string((width - text.size()) / 2, ' ') + std::string(text);
}

std::string NatureOfSlot(int slot) {
  switch (slot) {
    case 0: return "N4";
    case 10: return "N1";
    case 11: return "N2";
    case 12: return "N3";
    case 13: return "N5";
    case 14: return "N6";
    default: return "";
  }
}

int RateOfSlot(const PrinterState& state, int slot) {
  return slot >= 1 && slot <= 9 ? state.vatRates[static_cast<size_t>(slot)] : 0;
}

std::string VatLabel(const PrinterState& state, int slot) {
  const std::string nature = NatureOfSlot(slot);
  if (nature == "N1") return "EE*";
  if (nature == "N2") return "NS*";
  if (nature == "N3") return "NI*";
  if (nature == "N4") return "ES*";
  if (nature == "N5") return "RM*";
  if (nature == "N6") return "AL*";
  const int rate = RateOfSlot(state, slot);
  std::string label = std::to_string(rate / 100);
  if (rate % 100 != 0) label += "," + std::to_string(rate % 100 % 10 == 0 ? rate % 100 / 10 : rate % 100);
  return label + "%";
}

std::string ItemLine(std::string_view description, std::string_view vatLabel, Cents amount, size_t width) {
  const std::string money = MoneyText(amount);
  const size_t amountColumns = money.size() > 8 ? money.size() : 8;
  const size_t descriptionColumns = width > amountColumns + 4 ? width - amountColumns - 4 : 0;
  std::string line(description.substr(0, descriptionColumns));
  line.resize(descriptionColumns, ' ');
  std::string label(vatLabel.substr(0, 4));
  label.resize(4, ' ');
  return line + label + std::string(amountColumns - money.size(), ' ') + money;
}
