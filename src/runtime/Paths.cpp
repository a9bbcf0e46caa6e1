#include "runtime/Paths.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace {

// The host executable; empty when /proc cannot tell.
std::filesystem::path AppExecutable() {
  std::error_code error;
  std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::filesystem::path() : exe;
}

}  // namespace

std::string JoinPath(const std::string& aDirectory, const std::string& aName) {
  if (aDirectory.empty() || aDirectory.back() == '/') return aDirectory + aName;
  return aDirectory + "/" + aName;
}

std::string GetAppPath() {
  std::filesystem::path exe = AppExecutable();
  return exe.empty() ? "./" : JoinPath(exe.parent_path().string(), "");
}

std::string GetAppName() {
  std::filesystem::path exe = AppExecutable();
  return exe.empty() ? "application" : exe.stem().string();
}

std::string GetLogRoot() {
  const char* root = std::getenv("QNRP_LOG_ROOT");
  return root != nullptr && *root != '\0' ? std::string(root) : GetAppPath();
}

std::string GetLogFilesDirectory() { return JoinPath(GetLogRoot(), "LogFiles"); }
