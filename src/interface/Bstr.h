#pragma once
// The COM string (BSTR) at the exported boundary: reading the host's request and
// handing text back. The allocator itself is the platform's (oleaut32 on Windows,
// BstrAllocator.cpp elsewhere); everything here goes through SysAllocStringLen,
// SysStringLen and SysFreeString only.

#include <memory>
#include <string>
#include <string_view>

#include "QNRP_REZIDAZE_10.h"

struct BstrDeleter {
  void operator()(OLECHAR* aText) const noexcept { SysFreeString(aText); }
};
// A string owned until it is handed to the host with release().
using BstrPtr = std::unique_ptr<OLECHAR, BstrDeleter>;

// Longest request accepted, in UTF-16 characters (64 MiB of text): far beyond any
// real document, small enough that a runaway host cannot make the library
// allocate without bound.
inline constexpr std::size_t kMaxRequestLength = 32u * 1024u * 1024u;

// The characters of aText: its length prefix in characters (an odd final byte is
// ignored), ending early at the first NUL, so that a string whose prefix
// overstates its length is read no further than its terminator. Null is empty.
std::u16string_view BstrView(BSTR aText) noexcept;

// The request as UTF-8 text; lone surrogates become U+FFFD. A request longer than
// kMaxRequestLength throws std::runtime_error.
std::string RequestText(BSTR aText);

// A new string holding the UTF-8 text aText. Empty text gives null, the COM empty
// string. Throws std::bad_alloc when memory runs out.
BstrPtr NewBstr(std::string_view aText);

// Sets *aTarget to aValue's string (ownership passes to the host); a null aTarget
// is skipped and the string is freed.
void Deliver(BSTR* aTarget, BstrPtr aValue) noexcept;
