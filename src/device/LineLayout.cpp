#include "device/LineLayout.h"

#include "runtime/Text.h"

namespace {

size_t CharacterCount(std::string_view text) {
  size_t count = 0;
  for (char c : text)
    if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++count;
  return count;
}

std::string CutToCharacters(std::string_view text, int count) {
  if (count <= 0) return {};
  return std::string(text.substr(0, Utf8PrefixLength(text, static_cast<size_t>(count))));
}

std::string Blanks(size_t count) { return std::string(count, ' '); }

}  // namespace

std::string FitToLineLength(std::string_view text, int count) {
  std::string fitted = CutToCharacters(text, count);
  size_t length = CharacterCount(fitted);
  if (count > 0 && length < static_cast<size_t>(count)) fitted += Blanks(static_cast<size_t>(count) - length);
  return fitted;
}

std::string FormatDisplayRow(std::string_view value, tkReceiptMessageLineAlignment alignment, int width) {
  std::string row = CutToCharacters(value, width);
  size_t length = CharacterCount(row);
  size_t free = width > 0 && length < static_cast<size_t>(width) ? static_cast<size_t>(width) - length : 0;
  switch (alignment) {
    case la_right: return Blanks(free) + row;
    case la_center: return Blanks(free / 2) + row + Blanks(free - free / 2);
    case la_left: return row + Blanks(free);
    case la_none: break;
  }
  return row;
}
