#include "TransportTestSupport.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include <gtest/gtest.h>

namespace transport_test {

std::filesystem::path FreshLogFolder() {
  const char* root = std::getenv("QNRP_LOG_ROOT");
  const std::filesystem::path base = root && *root ? root : std::filesystem::temp_directory_path() / "qnrp-test-logs";
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string name = std::string(info->test_suite_name()) + "." + info->name();
  for (char& c : name) {
    if (c == '/') c = '_';
  }
  const auto folder = base / "transport" / name;
  std::filesystem::remove_all(folder);
  return folder;
}

std::vector<std::string> LogMessagesOfFile(const std::filesystem::path& aFile) {
  std::ifstream in(aFile, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  std::vector<std::string> messages;
  std::string line;
  while (std::getline(text, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    // "yyyy-mm-dd hh:nn:ss:zzz - " is 26 characters.
    messages.push_back(line.size() >= 26 ? line.substr(26) : line);
  }
  return messages;
}

std::vector<std::string> LogMessages(const kIOHandler& aHandler) {
  EXPECT_TRUE(aHandler.WaitLogWritten(std::chrono::seconds(5)));
  return LogMessagesOfFile(aHandler.GetLogFileName());
}

std::string LogFileText(const kIOHandler& aHandler) {
  EXPECT_TRUE(aHandler.WaitLogWritten(std::chrono::seconds(5)));
  std::ifstream in(aHandler.GetLogFileName(), std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

int64_t ElapsedMs(std::chrono::steady_clock::time_point aStart) {
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - aStart).count();
}

PtyPair::PtyPair() {
  char name[256];
  if (::openpty(&fMaster, &fSlave, name, nullptr, nullptr) != 0) throw std::runtime_error("openpty failed");
  fSlavePath = name;
}

PtyPair::~PtyPair() {
  CloseMaster();
  if (fSlave >= 0) ::close(fSlave);
}

void PtyPair::Send(std::string_view aBytes) const {
  while (!aBytes.empty()) {
    const ssize_t done = ::write(fMaster, aBytes.data(), aBytes.size());
    if (done <= 0) throw std::runtime_error("write to the pseudo-terminal failed");
    aBytes.remove_prefix(static_cast<size_t>(done));
  }
}

std::string PtyPair::Receive(size_t aCount, std::chrono::milliseconds aBound) const {
  const auto start = std::chrono::steady_clock::now();
  std::string received;
  while (received.size() < aCount && ElapsedMs(start) < aBound.count()) {
    pollfd pfd{fMaster, POLLIN, 0};
    if (::poll(&pfd, 1, 20) <= 0) continue;
    char buffer[256];
    const ssize_t got = ::read(fMaster, buffer, std::min(sizeof buffer, aCount - received.size()));
    if (got <= 0) break;
    received.append(buffer, static_cast<size_t>(got));
  }
  return received;
}

void PtyPair::CloseMaster() {
  if (fMaster >= 0) ::close(fMaster);
  fMaster = -1;
}

}  // namespace transport_test
