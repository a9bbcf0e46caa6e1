#include "runtime/Convert.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace {

std::string IntegerError(std::string_view text) {
  try {
    StrToInt32(text);
  } catch (const std::runtime_error& e) {
    return e.what();
  }
  return "no error";
}

TEST(ConvertTest, StrToInt32AcceptsSignedDecimals) {
  struct Case { const char* text; int32_t value; };
  for (const Case& c : {Case{"0", 0}, Case{"42", 42}, Case{"+7", 7}, Case{"-13", -13},
                        Case{"007", 7}, Case{"2147483647", 2147483647},
                        Case{"-2147483648", INT32_MIN}}) {
    EXPECT_EQ(StrToInt32(c.text), c.value) << c.text;
  }
}

TEST(ConvertTest, StrToInt32RejectsEverythingElse) {
  for (std::string text : {"", "+", "-", "+-5", "--5", " 5", "5 ", "1.0", "0x10", "1e3",
                           "2147483648", "-2147483649", "99999999999999999999", "12a"}) {
    EXPECT_EQ(IntegerError(text), "'" + text + "' is not a valid integer value") << text;
    int32_t value = 99;
    EXPECT_FALSE(TryStrToInt32(text, value));
    EXPECT_EQ(value, 99);
  }
}

TEST(ConvertTest, EmbeddedNulIsNotAnInteger) {
  std::string text("12\0" "3", 4);
  EXPECT_EQ(IntegerError(text), "'12\\03' is not a valid integer value");
}

TEST(ConvertTest, StrToBoolReadsNumbersAndWords) {
  struct Case { const char* text; bool value; };
  for (const Case& c : {Case{"0", false}, Case{"1", true}, Case{"-1", true}, Case{"0.0", false},
                        Case{"0.5", true}, Case{"99999999999999999999999", true},
                        Case{"true", true}, Case{"TRUE", true}, Case{"False", false}}) {
    EXPECT_EQ(StrToBool(c.text), c.value) << c.text;
  }
}

TEST(ConvertTest, StrToBoolRejectsOtherText) {
  for (std::string text : {"", "yes", " true", "1 ", "1,0", ".", "-", "truex"}) {
    try {
      StrToBool(text);
      ADD_FAILURE() << "accepted " << text;
    } catch (const std::runtime_error& e) {
      EXPECT_EQ(std::string(e.what()), "'" + text + "' is not a valid boolean value");
    }
  }
}

}  // namespace
