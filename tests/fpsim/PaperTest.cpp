#include "fpsim/Paper.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

TEST(Paper, RendersPrintedBytesForAPerson) {
  struct Case {
    std::string text;
    int size;
    int width;
    std::string shown;
  } cases[] = {
      {"TOTALE   ", 1, 40, "TOTALE"},
      {std::string(50, 'A'), 1, 40, std::string(40, 'A')},
      {std::string(50, 'A'), 2, 46, std::string(46, 'A')},
      {"TOTALE", 3, 40, "T O T A L E"},
      {std::string(30, 'B'), 4, 40, [] {
         std::string s;
         for (int i = 0; i < 20; ++i) s += "B ";
         return s.substr(0, 39);
       }()},
      {"\x7f                 ", 1, 40, ""},
      {"CAFF\xC8", 1, 40, "CAFF\xC3\x88"},
  };
  for (const Case& c : cases) EXPECT_EQ(RenderPrintedLine(c.text, c.size, c.width), c.shown) << c.text;
}

TEST(Paper, WritesLinesAndATearOffLineAtItsWidth) {
  std::ostringstream out;
  Paper paper(out);
  paper.SetWidth(46);
  paper.PrintLine("RIGA", 1);
  paper.Cut();
  EXPECT_EQ(out.str(), "RIGA\n" + std::string(46, '=') + "\n\n");
}

TEST(Paper, RefusesAFileItCannotOpen) {
  EXPECT_THROW(Paper("/nonexistent-folder/paper.txt"), std::runtime_error);
}

}  // namespace
