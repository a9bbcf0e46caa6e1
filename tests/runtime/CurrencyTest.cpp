#include "runtime/Currency.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace {

Currency Raw(int64_t raw) { return Currency::FromRaw(raw); }

TEST(CurrencyTest, ParseReadsDecimalsWithPoint) {
  struct Case { const char* text; int64_t raw; };
  for (const Case& c : {Case{"0", 0}, Case{"12.50", 125000}, Case{"-3", -30000},
                        Case{"+0.5", 5000}, Case{".25", 2500}, Case{"7.", 70000},
                        Case{"-0", 0}, Case{"0000000000000000000000001", 10000},
                        Case{"1.00000000000000000000000", 10000},
                        Case{"922337203685477.5807", INT64_MAX},
                        Case{"-922337203685477.5808", INT64_MIN}}) {
    EXPECT_EQ(Currency::Parse(c.text).Raw(), c.raw) << c.text;
  }
}

TEST(CurrencyTest, ParseRoundsFifthDecimalHalfToEven) {
  struct Case { const char* text; int64_t raw; };
  for (const Case& c : {Case{"0.00005", 0}, Case{"0.00015", 2}, Case{"0.000051", 1},
                        Case{"0.00004999", 0}, Case{"-0.00015", -2}, Case{"2.12346", 21235},
                        Case{"0.000050000000001", 1}}) {
    EXPECT_EQ(Currency::Parse(c.text).Raw(), c.raw) << c.text;
  }
}

TEST(CurrencyTest, ParseRejectsOtherTextWithMessage) {
  for (std::string text : std::initializer_list<std::string>{"", "-", "+", ".", "1,5", "1 000", " 1", "1 ", "1e3", "1.2.3",
                           "--1", "+-1", "0x10", "abc", "922337203685477.5808",
                           "-922337203685477.5809", "99999999999999999999",
                           "123456789012345678901234567890.5", std::string("1\0", 2)}) {
    try {
      Currency::Parse(text);
      ADD_FAILURE() << "accepted " << text;
    } catch (const std::runtime_error& e) {
      std::string shown = text.find('\0') == std::string::npos ? text : "1\\0";
      EXPECT_EQ(std::string(e.what()), "'" + shown + "' is not a valid floating point value");
    }
  }
}

TEST(CurrencyTest, ToResultTextDropsTrailingZeros) {
  struct Case { int64_t raw; const char* text; };
  for (const Case& c : {Case{220000, "22"}, Case{55000, "5.5"}, Case{-32500, "-3.25"},
                        Case{0, "0"}, Case{1, "0.0001"}, Case{-1, "-0.0001"},
                        Case{INT64_MIN, "-922337203685477.5808"}}) {
    EXPECT_EQ(Raw(c.raw).ToResultText(), c.text);
  }
}

TEST(CurrencyTest, ProductRoundsHalfToEven) {
  EXPECT_EQ((Currency::Parse("1.5") * Currency::Parse("2.25")).Raw(), 33750);
  // 0.0001 * 0.5 = 0.00005 -> 0; 0.0003 * 0.5 = 0.00015 -> 0.0002
  EXPECT_EQ((Raw(1) * Raw(5000)).Raw(), 0);
  EXPECT_EQ((Raw(3) * Raw(5000)).Raw(), 2);
  EXPECT_EQ((Raw(-3) * Raw(5000)).Raw(), -2);
  // Intermediate beyond 64 bits stays exact.
  EXPECT_EQ((Currency::FromUnits(900000000) * Currency::FromUnits(1000)).Raw(),
            900000000000LL * 10000);
}

TEST(CurrencyTest, QuotientRoundsHalfToEven) {
  EXPECT_EQ((Currency::FromUnits(10) / Currency::FromUnits(4)).Raw(), 25000);
  EXPECT_EQ((Currency::FromUnits(1) / Currency::FromUnits(3)).Raw(), 3333);
  EXPECT_EQ((Currency::FromUnits(-2) / Currency::FromUnits(3)).Raw(), -6667);
  EXPECT_EQ((Raw(1) / Currency::FromUnits(2)).Raw(), 0);    // 0.00005
  EXPECT_EQ((Raw(3) / Currency::FromUnits(2)).Raw(), 2);    // 0.00015
  EXPECT_EQ((Raw(3) / Currency::FromUnits(-2)).Raw(), -2);
}

TEST(CurrencyTest, ArithmeticFailuresThrow) {
  EXPECT_THROW(Currency::FromUnits(1) / Currency(), std::runtime_error);
  EXPECT_THROW(Currency::FromUnits(1000000000) * Currency::FromUnits(1000000000),
               std::runtime_error);
  EXPECT_THROW(Currency::FromUnits(1000000000000LL) / Raw(1), std::runtime_error);
}

}  // namespace
