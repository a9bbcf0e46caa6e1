#include "epson/EpsonFields.h"

#include "runtime/FieldFormat.h"
#include "runtime/Text.h"

namespace epson {

std::string N(int64_t aValue, int aWidth) { return FormatNumberField(Currency::FromUnits(aValue), aWidth, 0); }

std::string N(Currency aValue, int aWidth, int aDecimals) { return FormatNumberField(aValue, aWidth, aDecimals); }

std::string ToPrinterText(std::string_view aText) {
  const std::u16string units = Utf8ToUtf16(aText);
  std::string bytes;
  bytes.reserve(units.size());
  for (size_t i = 0; i < units.size(); ++i) {
    const char16_t unit = units[i];
    bytes += unit <= 0xFF ? static_cast<char>(unit) : '?';
    // A character beyond U+FFFF is two units but one replacement.
    if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < units.size()) ++i;
  }
  return bytes;
}

std::string T(std::string_view aText, int aWidth) {
  if (aWidth <= 0) return {};
  std::string field = ToPrinterText(aText);
  field.resize(static_cast<size_t>(aWidth), ' ');
  return field;
}

}  // namespace epson
