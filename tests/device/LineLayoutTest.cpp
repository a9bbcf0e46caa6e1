// Fitting document text to print and display columns.

#include <gtest/gtest.h>

#include "device/LineLayout.h"

TEST(LineLayoutTest, FitToLineLength) {
  struct Case {
    const char* text;
    int count;
    const char* fitted;
  };
  const Case cases[] = {
      {"ABC", 5, "ABC  "},
      {"12345678901234567890123456789012345678901234567890", 40, "1234567890123456789012345678901234567890"},
      {"", 3, "   "},
      {"ABC", 0, ""},
      {"ABC", -2, ""},
      {"CAFF\xC3\x88 \xE2\x82\xAC", 8, "CAFF\xC3\x88 \xE2\x82\xAC "},   // "CAFFÈ €": 7 characters, one blank
      {"\xC3\xA0\xC3\xA8\xC3\xAC", 2, "\xC3\xA0\xC3\xA8"},              // cut between characters, never inside
  };
  for (const auto& c : cases) EXPECT_EQ(FitToLineLength(c.text, c.count), c.fitted) << c.text << " to " << c.count;
}

TEST(LineLayoutTest, FormatDisplayRow) {
  struct Case {
    const char* value;
    tkReceiptMessageLineAlignment alignment;
    const char* row;
  };
  const Case cases[] = {
      {"HELLO", la_center, "       HELLO        "},   // 7 blanks, the value, 8 blanks
      {"HELLO", la_right, "               HELLO"},
      {"HELLO", la_left, "HELLO               "},
      {"HELLO", la_none, "HELLO"},
      {"ABCDEFGHIJKLMNOPQRSTUVWXYZ", la_none, "ABCDEFGHIJKLMNOPQRST"},
      {"ABCDEFGHIJKLMNOPQRSTUVWXYZ", la_center, "ABCDEFGHIJKLMNOPQRST"},
      {"\xE2\x82\xAC 5", la_right, "                 \xE2\x82\xAC 5"},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatDisplayRow(c.value, c.alignment, 20), c.row) << c.value;
}
