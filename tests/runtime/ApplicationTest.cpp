#include "runtime/tQN_Application.h"

#include <gtest/gtest.h>

#include <fstream>
#include <stdexcept>

#include "runtime/TempDir.h"
#include "runtime/Text.h"

namespace {

using namespace std::chrono_literals;

tQN_ApplicationEnvironment Environment(const std::string& root, std::vector<std::string> params = {}) {
  return {"DemoApp", root, std::move(params),
          [](int id) { return id == 10000 ? std::string("$VERSION=2.5") : std::string(); }};
}

// The messages of the application log, read after the application is gone.
std::vector<std::string> LoggedMessages(const std::string& path) {
  std::vector<std::string> messages;
  for (const std::string& line : SplitLines(ReadFile(path))) messages.push_back(line.substr(23));
  return messages;
}

TEST(ApplicationTest, LogsToLogFilesBelowTheRoot) {
  TempDir root;
  {
    tQN_Application app(Environment(root.Path()));
    EXPECT_EQ(app.GetLogFileName(), root / "LogFiles/DemoApp.log");
    EXPECT_EQ(app.GetLogDirectory(), root / "LogFiles");
    EXPECT_EQ(app.LogError(), "");
    EXPECT_EQ(app.Info().fVersion, "2.5");
    app.Log(let_info, "started");
    app.Log(let_error, "broken");
    app.Log(let_info, "fine again");
    EXPECT_EQ(app.LastError(), "broken");
  }
  EXPECT_EQ(LoggedMessages(root / "LogFiles/DemoApp.log"),
            (std::vector<std::string>{" - started", " - ERROR - broken", " - fine again"}));
}

TEST(ApplicationTest, UncreatableLogFolderIsReportedNotFatal) {
  TempDir root;
  std::ofstream(root / "LogFiles") << "a file where the folder belongs";
  tQN_Application app(Environment(root.Path()));
  EXPECT_NE(app.LogError().find("LogFiles"), std::string::npos) << app.LogError();
  EXPECT_EQ(app.GetLogFileName(), "");
  app.Log(let_error, "nowhere to go");
  EXPECT_EQ(app.LastError(), "nowhere to go");

  EXPECT_THROW(app.ChangeLogDirectory("sub"), std::runtime_error);
  app.ChangeLogDirectory(root / "elsewhere");
  EXPECT_EQ(app.LogError(), "");
  EXPECT_EQ(app.GetLogFileName(), root / "elsewhere/DemoApp.log");
}

TEST(ApplicationTest, ChangeLogDirectoryRelativeAndAbsolute) {
  TempDir root;
  tQN_Application app(Environment(root.Path()));
  app.ChangeLogDirectory("Sub/Dir");
  EXPECT_EQ(app.GetLogFileName(), root / "LogFiles/Sub/Dir/DemoApp.log");
  app.ChangeLogDirectory(root / "abs");
  EXPECT_EQ(app.GetLogFileName(), root / "abs/DemoApp.log");
  EXPECT_TRUE(std::filesystem::is_directory(root / "abs"));
}

TEST(ApplicationTest, BatchAndDebugFromParameters) {
  TempDir root;
  struct Case { std::vector<std::string> params; bool batch, debug; };
  for (const Case& c : {Case{{"/debug=1"}, false, true}, Case{{"/BATCH:1", "x"}, true, false},
                        Case{{"/Batch=yes", "/DEBUG"}, true, true}, Case{{"/batchx"}, false, false}}) {
    tQN_Application app(Environment(root.Path(), c.params));
    EXPECT_EQ(app.IsBatch(), c.batch) << c.params[0];
    EXPECT_EQ(app.IsDebug(), c.debug) << c.params[0];
  }
}

TEST(ApplicationTest, MessagesByLanguageWithFallback) {
  TempDir root;
  tQN_Application app(Environment(root.Path()));
  EXPECT_EQ(app.GetMessage("100"), "Message 100 not found");
  app.LoadMessages("100.it:Ciao %s\r\n100.en:Hello %s, 100%% sure:extra\n200.en:Only English");
  app.SetDefaultLanguage("en");
  app.SetLanguage("it");
  EXPECT_EQ(app.GetMessage("100", {"Mario"}), "Ciao Mario");
  EXPECT_EQ(app.GetMessage("200"), "Only English");
  app.SetLanguage("de");
  EXPECT_EQ(app.GetMessage("100", {"Anna"}), "Hello Anna, 100% sure");
  EXPECT_EQ(app.GetMessage("100"), "Hello %s, 100% sure");
  EXPECT_EQ(app.GetMessage("300"), "Message 300 not found");
}

TEST(ApplicationTest, StopwatchNestsAndRefusesAnEmptyStack) {
  TempDir root;
  tQN_Application app(Environment(root.Path()));
  EXPECT_THROW(app.StopTimer(), std::runtime_error);
  app.StartTimer();
  app.StartTimer();
  EXPECT_EQ(app.GetTimerCount(), 2u);
  int64_t inner = app.StopTimer();
  EXPECT_GE(inner, -86400000);  // negative only across midnight
  EXPECT_LT(inner, 60000);
  EXPECT_EQ(app.GetTimerCount(), 1u);
  app.StopTimer();
  EXPECT_EQ(app.GetTimerCount(), 0u);
}

TEST(ApplicationTest, SingleInstanceGuardExcludesASecondHolder) {
  TempDir root;
  tQN_Application first(Environment(root.Path()));
  tQN_Application second(Environment(root.Path()));
  first.SetSingleInstance(true);
  EXPECT_TRUE(first.SingleInstance());
  second.SetSingleInstance(true);
  EXPECT_FALSE(second.SingleInstance());
  EXPECT_EQ(second.LastError(), "Impossible to enter single instance mode.");
  first.SetSingleInstance(false);
  second.SetSingleInstance(true);
  EXPECT_TRUE(second.SingleInstance());
}

}  // namespace
