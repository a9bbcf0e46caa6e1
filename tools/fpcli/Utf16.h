#pragma once
// UTF-8 <-> UTF-16 for the strings fpcli exchanges with the library.

#include <string>
#include <string_view>

// Malformed input becomes U+FFFD.
std::u16string ToUtf16(std::string_view aText);
// Lone surrogates become U+FFFD.
std::string ToUtf8(std::u16string_view aText);
