#pragma once
// Shared pieces of the transport tests: a fresh log folder per test, reading back
// a trace file, and a pseudo-terminal pair standing in for a serial line.

#include <chrono>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "transport/kIOHandler.h"

namespace transport_test {

// An empty folder for the running test's trace files.
std::filesystem::path FreshLogFolder();

// The messages of a trace file, without time stamps: "text" for info lines and
// "ERROR - text" for error lines. Waits (bounded) until the handler's log is written.
std::vector<std::string> LogMessages(const kIOHandler& aHandler);
std::vector<std::string> LogMessagesOfFile(const std::filesystem::path& aFile);
// The whole file as written.
std::string LogFileText(const kIOHandler& aHandler);

// Milliseconds since aStart.
int64_t ElapsedMs(std::chrono::steady_clock::time_point aStart);

// A pseudo-terminal: the handler opens the slave by path, the test plays the
// printer on the master.
class PtyPair {
public:
  PtyPair();
  ~PtyPair();
  PtyPair(const PtyPair&) = delete;
  PtyPair& operator=(const PtyPair&) = delete;

  const std::string& SlavePath() const { return fSlavePath; }
  int Master() const { return fMaster; }
  void Send(std::string_view aBytes) const;
  // Reads from the master until aCount bytes arrived or aBound passed.
  std::string Receive(size_t aCount, std::chrono::milliseconds aBound) const;
  // Hangs the line up: the slave side then fails every read.
  void CloseMaster();

private:
  int fMaster = -1;
  int fSlave = -1;  // kept open so the line survives the handler's close and reopen
  std::string fSlavePath;
};

}  // namespace transport_test
