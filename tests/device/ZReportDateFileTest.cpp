// The file that keeps the date of a printer's last Z report.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "device/ZReportDateFile.h"

namespace {

std::string Folder(const std::string& name) {
  const char* root = std::getenv("QNRP_LOG_ROOT");
  std::string dir = std::string(root ? root : "test-logs") + "/zreport-date/" + name;
  std::filesystem::remove_all(dir);
  return dir;
}

std::string ReadFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

}  // namespace

TEST(ZReportDateFileTest, SaveThenLoad) {
  const std::string dir = Folder("roundtrip");
  EXPECT_TRUE(LoadZReportDate(dir, "99MEY012345").IsZero()) << "no file yet";
  SaveZReportDate(dir, "99MEY012345", DateTime::Encode(2021, 6, 15, 18, 30));
  EXPECT_EQ(ReadFile(dir + "/99MEY012345_ZrepDate.stv"), "2021-06-15\r\n");
  EXPECT_EQ(LoadZReportDate(dir, "99MEY012345"), DateTime::Encode(2021, 6, 15));
  SaveZReportDate(dir, "99MEY012345", DateTime::Encode(2021, 7, 1));
  EXPECT_EQ(LoadZReportDate(dir, "99MEY012345"), DateTime::Encode(2021, 7, 1)) << "a later save replaces the date";
  EXPECT_TRUE(LoadZReportDate(dir, "OTHER").IsZero()) << "one file per printer";
}

TEST(ZReportDateFileTest, DamagedFileReadsAsNoDate) {
  const std::string dir = Folder("damaged");
  std::filesystem::create_directories(dir);
  for (const char* text : {"", "15/06/2021", "2021-13-45", "garbage\r\n"}) {
    std::ofstream(dir + "/S1_ZrepDate.stv", std::ios::binary | std::ios::trunc) << text;
    EXPECT_TRUE(LoadZReportDate(dir, "S1").IsZero()) << text;
  }
}

TEST(ZReportDateFileTest, SerialNumberCannotLeaveTheFolder) {
  EXPECT_EQ(ZReportDateFilePath("/logs", "../x/y"), "/logs/___x_y_ZrepDate.stv");
}
