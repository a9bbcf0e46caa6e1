#include "runtime/FieldFormat.h"

#include <gtest/gtest.h>

namespace {

TEST(FieldFormatTest, ExtractTokenFields) {
  struct Case { const char* text; int index; char separator; bool toEnd; const char* result; };
  for (const Case& c : {Case{"a,b,c", 2, ',', false, "b"}, Case{"a,,c", 2, ',', false, ""},
                        Case{"a,b,c", 4, ',', false, ""}, Case{"a,b,c", 1, ',', false, "a"},
                        Case{"a,b,c", 3, ',', false, "c"}, Case{"bold,italic", 3, ',', false, ""},
                        Case{"K=x=y", 2, '=', true, "x=y"}, Case{"K=x=y", 1, '=', false, "K"},
                        Case{"K", 2, '=', true, ""}, Case{"", 1, ',', false, ""},
                        Case{"a,b", 0, ',', false, ""}, Case{"a,b,", 3, ',', true, ""}}) {
    EXPECT_EQ(ExtractToken(c.text, c.index, c.separator, c.toEnd), c.result)
        << c.text << " #" << c.index;
  }
}

struct NumberCase {
  double value;
  int width, decimals;
  const char* separator;
  bool isSigned;
  const char* result;
};

const NumberCase kNumberCases[] = {
    {12.5, 9, 2, "", false, "000001250"}, {1, 7, 3, "", false, "0001000"},
    {7, 2, 0, "", false, "07"},           {123, 2, 0, "", false, "23"},
    {-5, 4, 0, "", false, "00-5"},        {0, 9, 2, "", false, "000000000"},
    {12.5, 6, 2, ".", false, "012.50"},   {12.5, 6, 2, ",", false, "012,50"},
    {12.5, 5, 2, "", true, "+1250"},      {-12.5, 6, 2, "", true, "-01250"},    {-5, 3, 0, "", true, "-05"},
    {0.05, 4, 2, "", false, "0005"},      {1234567.891, 6, 0, "", false, "234568"},
    {3, 0, 0, "", false, ""},
};

TEST(FieldFormatTest, FormatNumberFieldFromDouble) {
  for (const NumberCase& c : kNumberCases) {
    EXPECT_EQ(FormatNumberField(c.value, c.width, c.decimals, c.separator, c.isSigned), c.result)
        << c.value << " " << c.width << " " << c.decimals;
  }
}

TEST(FieldFormatTest, FormatNumberFieldFromCurrencyMatches) {
  for (const NumberCase& c : kNumberCases) {
    Currency value = Currency::FromRaw(static_cast<int64_t>(c.value * 10000 + (c.value < 0 ? -0.5 : 0.5)));
    EXPECT_EQ(FormatNumberField(value, c.width, c.decimals, c.separator, c.isSigned), c.result)
        << c.value << " " << c.width << " " << c.decimals;
  }
}

TEST(FieldFormatTest, CurrencyFieldsAreExact) {
  Currency large = Currency::Parse("92233720368547.7581");
  EXPECT_EQ(FormatNumberField(large, 18, 4), "922337203685477581");
  EXPECT_EQ(FormatNumberField(large, 18, 6), "233720368547758100");
  EXPECT_EQ(FormatNumberField(Currency::Parse("0.125"), 3, 2), "013");
  EXPECT_EQ(FormatNumberField(Currency::Parse("-0.125"), 5, 2), "0-013");
  EXPECT_EQ(FormatNumberField(Currency::Parse("0.0001"), 7, 5), "0000010");
  EXPECT_EQ(FormatNumberField(Currency::FromRaw(INT64_MIN), 25, 4, "."),
            "0000-922337203685477.5808");
}

TEST(FieldFormatTest, ExtremeArgumentsStayBounded) {
  EXPECT_EQ(FormatNumberField(1e300, 5, 1000), "00000");
  EXPECT_EQ(FormatNumberField(Currency::FromUnits(1), 3, 1000), "000");
  EXPECT_EQ(FormatNumberField(2.0, 3, -4), "002");
}

}  // namespace
