// The COM string allocator for systems without oleaut32. A string is one block:
// a 32-bit byte length, the UTF-16 characters and a NUL character; the pointer the
// host sees addresses the first character, just after the length. Windows uses
// oleaut32 instead.

#if !defined(_WIN32)

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>

#include "QNRP_REZIDAZE_10.h"

namespace {

constexpr std::size_t kPrefixSize = sizeof(uint32_t);
// The byte length, the terminator included, must fit the 32-bit prefix.
constexpr uint32_t kMaxLength = (std::numeric_limits<uint32_t>::max() - kPrefixSize) / sizeof(OLECHAR) - 1;

unsigned char* BlockOf(BSTR aText) { return reinterpret_cast<unsigned char*>(aText) - kPrefixSize; }

}  // namespace

extern "C" {

BSTR SysAllocStringLen(const OLECHAR* aText, uint32_t aLength) {
  if (aLength > kMaxLength) return nullptr;
  const std::size_t bytes = std::size_t{aLength} * sizeof(OLECHAR);
  auto* block = static_cast<unsigned char*>(std::malloc(kPrefixSize + bytes + sizeof(OLECHAR)));
  if (block == nullptr) return nullptr;
  const uint32_t prefix = static_cast<uint32_t>(bytes);
  std::memcpy(block, &prefix, kPrefixSize);
  auto* text = reinterpret_cast<OLECHAR*>(block + kPrefixSize);
  if (aText != nullptr)
    std::memcpy(text, aText, bytes);
  else
    std::memset(text, 0, bytes);
  text[aLength] = u'\0';
  return text;
}

BSTR SysAllocString(const OLECHAR* aText) {
  if (aText == nullptr) return nullptr;
  std::size_t length = 0;
  while (aText[length] != u'\0') ++length;
  if (length > kMaxLength) return nullptr;
  return SysAllocStringLen(aText, static_cast<uint32_t>(length));
}

uint32_t SysStringLen(BSTR aText) {
  if (aText == nullptr) return 0;
  uint32_t bytes = 0;
  std::memcpy(&bytes, BlockOf(aText), kPrefixSize);
  return bytes / sizeof(OLECHAR);
}

void SysFreeString(BSTR aText) {
  if (aText != nullptr) std::free(BlockOf(aText));
}

}  // extern "C"

#endif
