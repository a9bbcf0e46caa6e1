#pragma once
// Reading a trace file back as its messages, without the time stamps.

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "runtime/Text.h"

// The log folder of the tests (QNRP_LOG_ROOT) with a sub-folder.
inline std::string TestLogDir(const std::string& sub) {
  const char* root = std::getenv("QNRP_LOG_ROOT");
  return std::string(root ? root : "test-logs") + "/" + sub;
}

// Each line "yyyy-mm-dd hh:nn:ss:zzz - message" becomes "message", and an error
// line "... - ERROR - message" becomes "ERROR - message".
inline std::vector<std::string> TraceMessages(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  std::vector<std::string> messages;
  for (const auto& line : SplitLines(text)) messages.push_back(line.size() > 26 ? line.substr(26) : line);
  return messages;
}
