#pragma once
// Word tables of the enumeration codecs: the word of each value, indexed by the
// value's ordinal. An empty word marks a value that has no word.

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "runtime/Text.h"

// Ordinal of the first word that equals the text ignoring ASCII letter case.
// Empty words never match, so empty text finds nothing.
inline std::optional<std::size_t> FindWordIgnoreCase(std::string_view text,
                                                     std::span<const std::string_view> words) {
  for (std::size_t ordinal = 0; ordinal < words.size(); ++ordinal)
    if (!words[ordinal].empty() && EqualsIgnoreCaseAscii(text, words[ordinal])) return ordinal;
  return std::nullopt;
}

// The word of an ordinal; empty text for a value without a word or out of range.
inline std::string WordOf(std::size_t ordinal, std::span<const std::string_view> words) {
  return ordinal < words.size() ? std::string(words[ordinal]) : std::string();
}
