#pragma once
// Text helpers shared by every layer. Document text is UTF-8 std::string; UTF-16
// exists only at the exported boundary.

#include <string>
#include <string_view>
#include <vector>

// UTF-16 to UTF-8. Lone surrogates become U+FFFD, so any input gives valid UTF-8.
std::string Utf16ToUtf8(std::u16string_view text);
// UTF-8 to UTF-16. Malformed sequences become U+FFFD.
std::u16string Utf8ToUtf16(std::string_view text);
// Number of bytes taken by the first maxChars characters (code points) of a UTF-8
// text; never ends inside a sequence. The whole length when the text is shorter.
size_t Utf8PrefixLength(std::string_view text, size_t maxChars);

// ASCII-only case mapping (names, keywords): other bytes are left as they are.
std::string ToLowerAscii(std::string_view text);
std::string ToUpperAscii(std::string_view text);
bool EqualsIgnoreCaseAscii(std::string_view a, std::string_view b);

// "&", "<", ">", '"' and "'" become entities, the ampersand first.
std::string EscapeXml(std::string_view text);

// The text with every NUL byte written as the two characters "\0", for error messages,
// which a NUL would otherwise end early.
std::string EscapeNul(std::string_view text);

// Splits at CR LF, CR or LF. An empty text gives no lines; a trailing break gives no
// empty last line.
std::vector<std::string> SplitLines(std::string_view text);
