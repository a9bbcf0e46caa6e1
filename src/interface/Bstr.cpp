#include "interface/Bstr.h"

#include <new>
#include <stdexcept>

#include "runtime/Text.h"

std::u16string_view BstrView(BSTR aText) noexcept {
  if (aText == nullptr) return {};
  const std::u16string_view whole(aText, SysStringLen(aText));
  return whole.substr(0, whole.find(u'\0'));
}

std::string RequestText(BSTR aText) {
  const std::u16string_view request = BstrView(aText);
  if (request.size() > kMaxRequestLength)
    throw std::runtime_error("Request too large: " + std::to_string(request.size()) +
                             " characters, the limit is " + std::to_string(kMaxRequestLength));
  return Utf16ToUtf8(request);
}

BstrPtr NewBstr(std::string_view aText) {
  if (aText.empty()) return nullptr;
  const std::u16string wide = Utf8ToUtf16(aText);
  BstrPtr result(SysAllocStringLen(wide.data(), static_cast<uint32_t>(wide.size())));
  if (!result) throw std::bad_alloc();
  return result;
}

void Deliver(BSTR* aTarget, BstrPtr aValue) noexcept {
  if (aTarget != nullptr) *aTarget = aValue.release();
}
