#include "runtime/Paths.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>

namespace {

// Sets or clears QNRP_LOG_ROOT for one test and restores it afterwards.
class LogRootVariable {
public:
  explicit LogRootVariable(const char* value) {
    if (const char* old = std::getenv("QNRP_LOG_ROOT")) fOld = old;
    value ? setenv("QNRP_LOG_ROOT", value, 1) : unsetenv("QNRP_LOG_ROOT");
  }
  ~LogRootVariable() { fOld ? setenv("QNRP_LOG_ROOT", fOld->c_str(), 1) : unsetenv("QNRP_LOG_ROOT"); }

private:
  std::optional<std::string> fOld;
};

TEST(PathsTest, JoinPathAddsOneSeparator) {
  EXPECT_EQ(JoinPath("/a", "b"), "/a/b");
  EXPECT_EQ(JoinPath("/a/", "b"), "/a/b");
  EXPECT_EQ(JoinPath("", "b"), "b");
}

TEST(PathsTest, AppPathAndNameComeFromTheExecutable) {
  EXPECT_EQ(GetAppName(), "test_runtime");
  std::string path = GetAppPath();
  ASSERT_FALSE(path.empty());
  EXPECT_EQ(path.front(), '/');
  EXPECT_EQ(path.back(), '/');
  EXPECT_TRUE(std::filesystem::exists(path + "test_runtime"));
}

TEST(PathsTest, LogRootFollowsTheEnvironment) {
  {
    LogRootVariable root("/var/tmp/qnrp");
    EXPECT_EQ(GetLogRoot(), "/var/tmp/qnrp");
    EXPECT_EQ(GetLogFilesDirectory(), "/var/tmp/qnrp/LogFiles");
  }
  {
    LogRootVariable root("");
    EXPECT_EQ(GetLogRoot(), GetAppPath());
  }
  LogRootVariable root(nullptr);
  EXPECT_EQ(GetLogFilesDirectory(), GetAppPath() + "LogFiles");
}

}  // namespace
