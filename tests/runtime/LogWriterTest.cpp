#include "runtime/tQN_LogWriter.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <regex>
#include <stdexcept>
#include <thread>
#include <vector>

#include "runtime/DateTime.h"
#include "runtime/Text.h"
#include "runtime/TempDir.h"

namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

constexpr auto kBound = 10s;

// The messages of a log file, without time stamps, in file order.
std::vector<std::string> Messages(const std::string& path) {
  std::vector<std::string> messages;
  for (const std::string& line : SplitLines(ReadFile(path))) messages.push_back(line.substr(23));
  return messages;
}

std::vector<fs::path> FilesIn(const std::string& dir) {
  std::vector<fs::path> files;
  for (const auto& entry : fs::directory_iterator(dir)) files.push_back(entry.path());
  return files;
}

TEST(LogWriterTest, LinesHaveTimeStampSeparatorAndCrLf) {
  TempDir dir;
  std::string path;
  {
    tQN_LogWriter writer("App", dir.Path(), 0, false);
    path = writer.FileName();
    EXPECT_EQ(writer.GetLogFileSize(), -1);
    writer.Write(let_info, "hello");
    writer.Write(let_error, "Read Timeout:");
  }
  EXPECT_EQ(path, dir / "App.log");
  std::string content = ReadFile(path);
  std::regex expected(
      R"(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d:\d{3} - hello\r\n)"
      R"(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d:\d{3} - ERROR - Read Timeout:\r\n)");
  EXPECT_TRUE(std::regex_match(content, expected)) << content;
}

TEST(LogWriterTest, LinesReachTheFileWithoutWaitingForDestruction) {
  TempDir dir;
  tQN_LogWriter writer("App", dir.Path(), 0, false);
  writer.Write(let_info, "first");
  ASSERT_TRUE(writer.WaitUntilWritten(kBound));
  EXPECT_EQ(Messages(writer.FileName()), std::vector<std::string>{" - first"});
  EXPECT_EQ(writer.GetLogFileSize(), 23 + 8 + 2);
}

TEST(LogWriterTest, MessagesAreCutToWholeCharacters) {
  TempDir dir;
  std::string path;
  {
    tQN_LogWriter writer("App", dir.Path(), 3, false);
    path = writer.FileName();
    writer.Write(let_info, "abcdef");
    writer.Write(let_error, "\xC3\xA8\xC3\xA8\xE2\x82\xAC\xC3\xA8");  // e grave x2, euro, e grave
    writer.Write(let_info, "ab");
  }
  EXPECT_EQ(Messages(path), (std::vector<std::string>{
                                " - abc", " - ERROR - \xC3\xA8\xC3\xA8\xE2\x82\xAC", " - ab"}));
}

TEST(LogWriterTest, DailyNameAndDirectoryChain) {
  TempDir dir;
  std::string before = DateTime::Now().Format("yyyymmdd");
  tQN_LogWriter writer("Dev_1", dir / "Logs/Trace", 0, true);
  std::string after = DateTime::Now().Format("yyyymmdd");
  EXPECT_TRUE(fs::is_directory(dir / "Logs/Trace"));
  EXPECT_EQ(writer.Directory(), dir / "Logs/Trace");
  std::string name = writer.FileName();
  EXPECT_TRUE(name == dir / ("Logs/Trace/Dev_1_" + before + ".log") ||
              name == dir / ("Logs/Trace/Dev_1_" + after + ".log")) << name;
}

TEST(LogWriterTest, BadDirectoryThrowsAndLeavesTheWriterInPlace) {
  TempDir dir;
  std::ofstream(dir / "plain-file") << "x";
  EXPECT_THROW(tQN_LogWriter("App", "", 0, false), std::runtime_error);
  EXPECT_THROW(tQN_LogWriter("App", dir / "plain-file/sub", 0, false), std::runtime_error);
  EXPECT_THROW(tQN_LogWriter("App", dir / "plain-file", 0, false), std::runtime_error);

  tQN_LogWriter writer("App", dir / "first", 0, false);
  EXPECT_THROW(writer.SetDirectory(""), std::runtime_error);
  EXPECT_THROW(writer.SetDirectory(dir / "plain-file/sub"), std::runtime_error);
  EXPECT_EQ(writer.FileName(), dir / "first/App.log");
  writer.SetDirectory(dir / "second/");
  EXPECT_EQ(writer.FileName(), dir / "second/App.log");
  writer.Write(let_info, "moved");
  ASSERT_TRUE(writer.WaitUntilWritten(kBound));
  EXPECT_EQ(Messages(dir / "second/App.log"), std::vector<std::string>{" - moved"});
}

// Pre-fills App.log with the given size, writes one line and returns the files left.
std::vector<fs::path> WriteOverFileOfSize(const TempDir& dir, size_t size) {
  std::ofstream(dir / "App.log", std::ios::binary) << std::string(size, 'x');
  tQN_LogWriter writer("App", dir.Path(), 0, false);
  writer.Write(let_info, "next");
  EXPECT_TRUE(writer.WaitUntilWritten(kBound));
  return FilesIn(dir.Path());
}

TEST(LogWriterTest, RotatesOnlyPastTheLimit) {
  TempDir atLimit;
  EXPECT_EQ(WriteOverFileOfSize(atLimit, 5120000).size(), 1u);
  EXPECT_EQ(fs::file_size(atLimit / "App.log"), 5120000u + 23 + 7 + 2);

  TempDir pastLimit;
  std::vector<fs::path> files = WriteOverFileOfSize(pastLimit, 5120001);
  ASSERT_EQ(files.size(), 2u);
  EXPECT_EQ(Messages(pastLimit / "App.log"), std::vector<std::string>{" - next"});
  fs::path moved = files[0].filename() == "App.log" ? files[1] : files[0];
  EXPECT_TRUE(std::regex_match(moved.filename().string(), std::regex(R"(App_\d{17}\.log)")))
      << moved;
  EXPECT_EQ(fs::file_size(moved), 5120001u);
}

TEST(LogWriterTest, DestructionWritesEveryQueuedLine) {
  TempDir dir;
  std::vector<std::string> expected;
  {
    tQN_LogWriter writer("App", dir.Path(), 0, false);
    for (int i = 0; i < 1000; ++i) {
      writer.Write(let_info, "line " + std::to_string(i));
      expected.push_back(" - line " + std::to_string(i));
    }
  }
  EXPECT_EQ(Messages(dir / "App.log"), expected);
}

TEST(LogWriterTest, ConcurrentWritersLoseNothingAndKeepTheirOrder) {
  constexpr int kThreads = 4, kLines = 500;
  TempDir dir;
  {
    tQN_LogWriter writer("App", dir.Path(), 0, false);
    std::vector<std::jthread> threads;
    for (int t = 0; t < kThreads; ++t) {
      threads.emplace_back([&writer, t] {
        for (int i = 0; i < kLines; ++i) writer.Write(let_info, std::to_string(t) + " " + std::to_string(i));
      });
    }
  }
  std::vector<int> next(kThreads, 0);
  for (const std::string& message : Messages(dir / "App.log")) {
    int thread = 0, index = 0;
    ASSERT_EQ(std::sscanf(message.c_str(), " - %d %d", &thread, &index), 2) << message;
    ASSERT_EQ(index, next[thread]++) << "thread " << thread;
  }
  EXPECT_EQ(next, std::vector<int>(kThreads, kLines));
}

TEST(LogWriterTest, UnwritableFileLosesLinesAndStaysUsable) {
  TempDir dir;
  fs::create_directory(dir / "App.log");  // a directory where the file should be
  tQN_LogWriter writer("App", dir.Path(), 0, false);
  writer.Write(let_info, "lost");
  ASSERT_TRUE(writer.WaitUntilWritten(kBound));
  fs::remove(dir / "App.log");
  writer.Write(let_info, "kept");
  ASSERT_TRUE(writer.WaitUntilWritten(kBound));
  EXPECT_EQ(Messages(dir / "App.log"), std::vector<std::string>{" - kept"});
}

// A file that stays unwritable (full disk, folder gone) must not make every queued
// line wait through its whole round of retries: the queue would take minutes to drain.
TEST(LogWriterTest, PersistentlyUnwritableFileDrainsTheQueueQuickly) {
  TempDir dir;
  fs::create_directory(dir / "App.log");
  tQN_LogWriter writer("App", dir.Path(), 0, false);
  for (int i = 0; i < 100; ++i) writer.Write(let_info, "line " + std::to_string(i));
  EXPECT_TRUE(writer.WaitUntilWritten(5s));
}

}  // namespace
