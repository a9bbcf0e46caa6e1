#pragma once
// Owns a POSIX file descriptor and closes it.

#include <unistd.h>

#include <utility>

class UniqueFd {
public:
  UniqueFd() = default;
  explicit UniqueFd(int fd) : fFd(fd) {}
  UniqueFd(UniqueFd&& other) noexcept : fFd(std::exchange(other.fFd, -1)) {}
  UniqueFd& operator=(UniqueFd&& other) noexcept {
    if (this != &other) {
      Close();
      fFd = std::exchange(other.fFd, -1);
    }
    return *this;
  }
  UniqueFd(const UniqueFd&) = delete;
  UniqueFd& operator=(const UniqueFd&) = delete;
  ~UniqueFd() { Close(); }

  int Get() const { return fFd; }
  bool Valid() const { return fFd >= 0; }
  void Close() {
    if (fFd >= 0) ::close(fFd);
    fFd = -1;
  }

private:
  int fFd = -1;
};
