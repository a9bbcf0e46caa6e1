#pragma once
// A fresh directory below the system temporary folder, removed with everything in it
// when the test ends.

#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

class TempDir {
public:
  TempDir() {
    static std::atomic<int> counter{0};
    fPath = std::filesystem::temp_directory_path() /
            ("qnrp-runtime-" + std::to_string(getpid()) + "-" + std::to_string(counter++));
    std::filesystem::remove_all(fPath);
    std::filesystem::create_directories(fPath);
  }
  ~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(fPath, ignored);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  std::string Path() const { return fPath.string(); }
  std::string operator/(const std::string& name) const { return (fPath / name).string(); }

private:
  std::filesystem::path fPath;
};

inline std::string ReadFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream content;
  content << file.rdbuf();
  return content.str();
}
