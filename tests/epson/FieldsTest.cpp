// The field encodings of native command data.

#include <gtest/gtest.h>

#include "epson/EpsonFields.h"

using namespace epson;

TEST(EpsonFieldsTest, Numbers) {
  EXPECT_EQ(N(Currency::Parse("12.50"), 9, 2), "000001250");
  EXPECT_EQ(N(Currency::Parse("1"), 7, 3), "0001000");
  EXPECT_EQ(N(Currency::Parse("22"), 4, 2), "2200");
  EXPECT_EQ(N(Currency::Parse("1234567.891"), 9, 2), "123456789");   // only the last digits remain
  EXPECT_EQ(N(7, 2), "07");
  EXPECT_EQ(N(100, 2), "00");
  EXPECT_EQ(N(2021, 2), "21");
  EXPECT_EQ(N(42, 5), "00042");
}

TEST(EpsonFieldsTest, TextInPrinterCharacters) {
  struct Case {
    const char* text;
    int width;
    std::string field;
  };
  const Case cases[] = {
      {"ABC", 5, "ABC  "},
      {"ABCDEF", 4, "ABCD"},
      {"CAFF\xC3\x88", 6, "CAFF\xC8 "},            // È is one printer character, then padded
      {"\xC3\xA0\xC3\xA8\xC3\xAC\xC3\xB2", 3, "\xE0\xE8\xEC"},   // cut after the conversion
      {"5 \xE2\x82\xAC", 4, "5 ? "},               // € has no printer character
      {"\xF0\x9F\x98\x80!", 3, "?! "},             // one replacement for a character past U+FFFF
      {"X", 0, ""},
  };
  for (const auto& c : cases) EXPECT_EQ(T(c.text, c.width), c.field) << c.text;
}
