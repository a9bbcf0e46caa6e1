#include "runtime/tQN_ApplicationInfo.h"

#include <gtest/gtest.h>

#include <map>
#include <stdexcept>

#include "runtime/VersionHistory.h"

namespace {

// A string table with the given entries; every other identifier is empty.
tQN_StringSource Table(std::map<int, std::string> entries) {
  return [entries = std::move(entries)](int id) {
    auto found = entries.find(id);
    return found == entries.end() ? std::string() : found->second;
  };
}

TEST(ApplicationInfoTest, ReadsVersionsInTableOrder) {
  tQN_ApplicationInfo info;
  info.Load(Table({{10000, "$APPDESCRIPTION=Demo Driver"}, {10001, "$VERSION=1.00"},
                   {10002, "$AUTHOR=XY"}, {10003, "$PTEXT=First release"},
                   {10004, "$version=1.01"}, {10005, "$RELEASEDATE=05/01/2021"},
                   {10006, "$TEXT=Fix a=b"}, {10007, "$UNKNOWN=ignored"}, {10008, "no key"}}));
  EXPECT_EQ(info.fDescription, "Demo Driver");
  EXPECT_EQ(info.fVersion, "1.01");
  EXPECT_EQ(info.fReleaseDate, DateTime::Encode(2021, 1, 5));
  ASSERT_EQ(info.fHistory.size(), 2u);
  EXPECT_EQ(info.fHistory[0].fVersion, "1.00");
  EXPECT_EQ(info.fHistory[0].fAuthor, "XY");
  EXPECT_TRUE(info.fHistory[0].fReleaseDate.IsZero());
  EXPECT_EQ(info.fHistory[0].fText, std::vector<std::string>{"First release"});
  EXPECT_EQ(info.fHistory[1].fText, std::vector<std::string>{"Fix a=b"});
  EXPECT_EQ(info.VersionString(), "[1.01 - 05/01/2021]");
}

TEST(ApplicationInfoTest, KeysBeforeTheFirstVersionAreIgnored) {
  tQN_ApplicationInfo info;
  info.Load(Table({{10000, "$AUTHOR=Nobody"}, {10001, "$RELEASEDATE=31/02/2021"},
                   {10002, "$PTEXT=lost"}, {10003, "$COPYRIGHT=(c) QNRP"}}));
  EXPECT_EQ(info.fCopyright, "(c) QNRP");
  EXPECT_TRUE(info.fHistory.empty());
  EXPECT_TRUE(info.fReleaseDate.IsZero());
}

TEST(ApplicationInfoTest, GapOfTenIsReadAndElevenEndsTheScan) {
  tQN_ApplicationInfo info;
  info.Load(Table({{10000, "$VERSION=1.00"}, {10011, "$VERSION=1.01"}, {10023, "$VERSION=1.02"}}));
  EXPECT_EQ(info.fVersion, "1.01");
  EXPECT_EQ(info.fHistory.size(), 2u);
}

TEST(ApplicationInfoTest, ReleaseDateReadsByPosition) {
  struct Case { const char* text; int y, m, d; };
  for (const Case& c : {Case{"19/06/2021", 2021, 6, 19}, Case{"19.06.2021", 2021, 6, 19},
                        Case{"xx/06/2021", 2021, 6, 1}, Case{"19/06", 1, 6, 19},
                        Case{"", 1, 1, 1}}) {
    EXPECT_EQ(ReadReleaseDate(c.text), DateTime::Encode(c.y, c.m, c.d)) << c.text;
  }
}

TEST(ApplicationInfoTest, InvalidReleaseDateFailsAndKeepsEarlierInfo) {
  tQN_ApplicationInfo info;
  info.Load(Table({{10000, "$VERSION=1.00"}}));
  EXPECT_THROW(info.Load(Table({{10000, "$VERSION=2.00"}, {10001, "$RELEASEDATE=31/02/2021"}})),
               std::runtime_error);
  EXPECT_EQ(info.fVersion, "1.00");
}

TEST(ApplicationInfoTest, LibraryTableDescribesTheFirstRelease) {
  tQN_ApplicationInfo info;
  info.Load(LoadVersionHistoryString);
  EXPECT_EQ(info.fVersion, "1.00");
  EXPECT_EQ(info.fReleaseDate, DateTime::Encode(2026, 12, 10));
  EXPECT_EQ(info.VersionString(), "[1.00 - 10/12/2026]");
  ASSERT_EQ(info.fHistory.size(), 1u);
  EXPECT_EQ(info.fHistory[0].fAuthor, "QNRP project");
  EXPECT_FALSE(info.fHistory[0].fText.empty());
  EXPECT_FALSE(info.fDescription.empty());
}

}  // namespace
