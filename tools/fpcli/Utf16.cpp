#include "Utf16.h"

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Decodes the code point at aText[aPos] and advances aPos; malformed gives U+FFFD.
char32_t NextCodePoint(std::string_view aText, std::size_t& aPos) {
  const auto lead = static_cast<unsigned char>(aText[aPos++]);
  if (lead < 0x80) return lead;
  int extra = 0;
  char32_t cp = 0;
  if ((lead & 0xE0) == 0xC0) { extra = 1; cp = lead & 0x1F; }
  else if ((lead & 0xF0) == 0xE0) { extra = 2; cp = lead & 0x0F; }
  else if ((lead & 0xF8) == 0xF0) { extra = 3; cp = lead & 0x07; }
  else return kReplacement;
  for (int i = 0; i < extra; ++i) {
    if (aPos >= aText.size() || (static_cast<unsigned char>(aText[aPos]) & 0xC0) != 0x80) return kReplacement;
    cp = (cp << 6) | (static_cast<unsigned char>(aText[aPos++]) & 0x3F);
  }
  static constexpr char32_t kMinimum[] = {0, 0x80, 0x800, 0x10000};
  if (cp < kMinimum[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return kReplacement;
  return cp;
}

void AppendUtf8(std::string& aOut, char32_t aCp) {
  if (aCp < 0x80) {
    aOut += static_cast<char>(aCp);
  } else if (aCp < 0x800) {
    aOut += static_cast<char>(0xC0 | (aCp >> 6));
    aOut += static_cast<char>(0x80 | (aCp & 0x3F));
  } else if (aCp < 0x10000) {
    aOut += static_cast<char>(0xE0 | (aCp >> 12));
    aOut += static_cast<char>(0x80 | ((aCp >> 6) & 0x3F));
    aOut += static_cast<char>(0x80 | (aCp & 0x3F));
  } else {
    aOut += static_cast<char>(0xF0 | (aCp >> 18));
    aOut += static_cast<char>(0x80 | ((aCp >> 12) & 0x3F));
    aOut += static_cast<char>(0x80 | ((aCp >> 6) & 0x3F));
    aOut += static_cast<char>(0x80 | (aCp & 0x3F));
  }
}

}  // namespace

std::u16string ToUtf16(std::string_view aText) {
  std::u16string out;
  out.reserve(aText.size());
  for (std::size_t pos = 0; pos < aText.size();) {
    const char32_t cp = NextCodePoint(aText, pos);
    if (cp < 0x10000) {
      out += static_cast<char16_t>(cp);
    } else {
      out += static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10));
      out += static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF));
    }
  }
  return out;
}

std::string ToUtf8(std::u16string_view aText) {
  std::string out;
  out.reserve(aText.size());
  for (std::size_t i = 0; i < aText.size(); ++i) {
    const char16_t unit = aText[i];
    char32_t cp = unit;
    if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < aText.size() && aText[i + 1] >= 0xDC00 && aText[i + 1] <= 0xDFFF) {
      cp = 0x10000 + ((char32_t{unit} - 0xD800) << 10) + (char32_t{aText[i + 1]} - 0xDC00);
      ++i;
    } else if (unit >= 0xD800 && unit <= 0xDFFF) {
      cp = kReplacement;
    }
    AppendUtf8(out, cp);
  }
  return out;
}
