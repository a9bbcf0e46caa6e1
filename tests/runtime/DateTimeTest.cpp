#include "runtime/DateTime.h"

#include <gtest/gtest.h>

#include <ctime>
#include <stdexcept>
#include <string>

namespace {

std::string ParseError(const std::string& text) {
  try {
    DateTime::ParseIso8601(text);
  } catch (const std::runtime_error& e) {
    return e.what();
  }
  return "no error";
}

TEST(DateTimeTest, DayCountMatchesTheClassicEpoch) {
  struct Case { int y, m, d; int64_t days; };
  for (const Case& c : {Case{1899, 12, 30, 0}, Case{1899, 12, 29, -1}, Case{1900, 1, 1, 2},
                        Case{1900, 3, 1, 61}, Case{1970, 1, 1, 25569}, Case{2000, 2, 29, 36585},
                        Case{2021, 6, 15, 44362}, Case{1, 1, 1, -693593},
                        Case{9999, 12, 31, 2958465}}) {
    DateTime value = DateTime::Encode(c.y, c.m, c.d);
    EXPECT_EQ(value.Milliseconds(), c.days * DateTime::kMsPerDay) << c.y << "-" << c.m;
    CivilDateTime civil = value.ToCivil();
    EXPECT_EQ(civil.year * 10000 + civil.month * 100 + civil.day, c.y * 10000 + c.m * 100 + c.d);
  }
}

TEST(DateTimeTest, NegativeValuesKeepTheirTimeOfDay) {
  DateTime value = DateTime::Encode(1899, 12, 29, 18, 0, 0, 1);
  EXPECT_EQ(value.ToIsoResult(), "1899-12-29T18:00:00.001Z");
  EXPECT_EQ(value.DatePart().ToIsoResult(), "1899-12-29T00:00:00.000Z");
  EXPECT_EQ(TimeOfDayMs(value), 18 * 3600000 + 1);
}

TEST(DateTimeTest, EncodeRejectsInvalidCombinations) {
  struct Case { int y, m, d, h, n, s, z; };
  for (const Case& c : {Case{2021, 2, 29, 0, 0, 0, 0}, Case{2021, 13, 1, 0, 0, 0, 0},
                        Case{2021, 0, 1, 0, 0, 0, 0}, Case{2021, 4, 31, 0, 0, 0, 0},
                        Case{0, 1, 1, 0, 0, 0, 0}, Case{10000, 1, 1, 0, 0, 0, 0},
                        Case{2021, 1, 1, 24, 0, 0, 0}, Case{2021, 1, 1, 0, 60, 0, 0},
                        Case{2021, 1, 1, 0, 0, 60, 0}, Case{2021, 1, 1, 0, 0, 0, 1000},
                        Case{2021, 1, 1, -1, 0, 0, 0}, Case{1900, 2, 29, 0, 0, 0, 0}}) {
    EXPECT_THROW(DateTime::Encode(c.y, c.m, c.d, c.h, c.n, c.s, c.z), std::runtime_error)
        << c.y << "-" << c.m << "-" << c.d << " " << c.h << ":" << c.n << ":" << c.s;
  }
  EXPECT_NO_THROW(DateTime::Encode(2000, 2, 29, 23, 59, 59, 999));
}

TEST(DateTimeTest, ParseIso8601ReadsDatesTimesAndZones) {
  struct Case { const char* text; const char* result; };
  for (const Case& c : {
           Case{"2021-06-15", "2021-06-15T00:00:00.000Z"},
           Case{"2021-06-15T10:20", "2021-06-15T10:20:00.000Z"},
           Case{"2021-06-15T10:20:30", "2021-06-15T10:20:30.000Z"},
           Case{"2021-06-15T10:20:30.5", "2021-06-15T10:20:30.500Z"},
           Case{"2021-06-15T10:20:30.05", "2021-06-15T10:20:30.050Z"},
           Case{"2021-06-15T10:20:30.123Z", "2021-06-15T10:20:30.123Z"},
           Case{"2021-06-15T10:00+02:00", "2021-06-15T08:00:00.000Z"},
           Case{"2021-06-15T10:00-05:00", "2021-06-15T15:00:00.000Z"},
           Case{"2021-06-15T01:00:00+02:30", "2021-06-14T22:30:00.000Z"},
           Case{"2021-12-31T23:30-01:00", "2022-01-01T00:30:00.000Z"}}) {
    EXPECT_EQ(DateTime::ParseIso8601(c.text).ToIsoResult(), c.result) << c.text;
  }
}

TEST(DateTimeTest, ParseIso8601RejectsMalformedText) {
  for (std::string text : std::initializer_list<std::string>{
           "", "T", "202", "202T10:00", "2021", "2021-06", "2021-6-15", "2021/06/15",
           "2021-06-15T", "2021-06-15T10", "2021-06-15T10:2", "2021-06-15T1:20",
           "2021-06-15T10:20:", "2021-06-15T10:20:30.", "2021-06-15T10:20:30.1234",
           "2021-06-15T10:20Z0", "2021-06-15T10:20+2", "2021-06-15T10:20+02", "2021-06-15T10:20+24:00",
           "2021-06-15T10:20+02:60", "2021-06-15Z", "2021-13-01", "2021-02-29", "2021-00-10",
           "2021-06-31", "2021-06-15T24:00", "2021-06-15T10:60", "2021-06-15T10:20:60",
           "2021-06-15 10:20", "2021-06-15T10:20 ", " 2021-06-15", "+021-06-15", "2021-06-1a",
           "0000-01-01", "99999-01-01", "2021-06-15T10:20:30.5.5", "2021-06-15TT10:20",
           std::string("2021-06-15\0", 11)}) {
    std::string shown = text.find('\0') == std::string::npos ? text : "2021-06-15\\0";
    EXPECT_EQ(ParseError(text), "Invalid date string: " + shown) << text;
  }
}

TEST(DateTimeTest, FormatsResultsAndItalianRegionalTexts) {
  DateTime value = DateTime::Encode(2021, 6, 5, 9, 8, 7, 6);
  EXPECT_EQ(value.ToIsoResult(), "2021-06-05T09:08:07.006Z");
  EXPECT_EQ(DateTime().ToIsoResult(), "1899-12-30T00:00:00.000Z");
  EXPECT_EQ(value.ToShortDate(), "05/06/2021");
  EXPECT_EQ(value.ToLongTime(), "09:08:07");
  EXPECT_EQ(value.ToShortDateTime(), "05/06/2021 09:08:07");
  EXPECT_EQ(value.Format("yyyymmddhhnnsszzz"), "20210605090807006");
  EXPECT_EQ(value.Format("yy-y [dd]"), "21-y [05]");
}

TEST(DateTimeTest, NowIsTheLocalWallClock) {
  std::time_t before = std::time(nullptr);
  DateTime now = DateTime::Now();
  std::time_t after = std::time(nullptr);
  std::tm local{};
  localtime_r(&before, &local);
  DateTime low = DateTime::Encode(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                                  local.tm_hour, local.tm_min, local.tm_sec);
  EXPECT_GE(now, low);
  EXPECT_LT(now.Milliseconds(), low.Milliseconds() + (after - before + 1) * 1000);
}

}  // namespace
