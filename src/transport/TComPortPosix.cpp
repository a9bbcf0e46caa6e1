// The serial port on POSIX systems: termios line settings, poll-bounded reads,
// exclusive use through TIOCEXCL and an advisory lock (TIOCEXCL does not stop a
// privileged second opener).
#ifndef _WIN32

#include <errno.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <thread>

#include "transport/TComPort.h"
#include "transport/TermiosLine.h"

namespace {

using Clock = std::chrono::steady_clock;

// Longest time a write may wait for the line to take more bytes.
constexpr int kWriteStallMs = 5000;
constexpr int kInterByteMs = 100;

int RemainingMs(Clock::time_point aDeadline) {
  const auto left = std::chrono::ceil<std::chrono::milliseconds>(aDeadline - Clock::now()).count();
  return left > 0 ? static_cast<int>(left) : 0;
}

}  // namespace

std::string TComPort::DevicePathOf(uint32_t aComNumber) {
  if (aComNumber == 0) return {};
  return "/dev/ttyS" + std::to_string(aComNumber - 1);
}

void TComPort::RaiseOpenError(int aCode) const {
  if (aCode == ENOENT || aCode == ENODEV || aCode == ENXIO) {
    throw TComPortException(fPortName + " is not a valid COM port.");
  }
  throw TComPortException("Cannot open " + fPortName + " (error #" + std::to_string(aCode) + ").");
}

void TComPort::Open() {
  Close();
  if (fDevicePath.empty()) RaiseOpenError(ENOENT);
  const int fd = ::open(fDevicePath.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) RaiseOpenError(errno);
  fComHandle = fd;
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    const int code = errno;
    ::close(fd);
    fComHandle = kNoHandle;
    RaiseOpenError(code);
  }
  ::ioctl(fd, TIOCEXCL);
  try {
    SetLineParameters(fBaudRate, fDataBits, fStopBits, fParity);
  } catch (...) {
    Close();
    throw;
  }
}

void TComPort::Close() {
  if (!ComIsOpen()) return;
  const int fd = static_cast<int>(fComHandle);
  ::tcflush(fd, TCIOFLUSH);
  ::ioctl(fd, TIOCNXCL);
  ::close(fd);
  fComHandle = kNoHandle;
}

void TComPort::SetLineParameters(uint32_t aBaudRate, uint8_t aDataBits, TStopBits aStopBits, TParity aParity) {
  const int fd = static_cast<int>(fComHandle);
  termios tio{};
  if (::tcgetattr(fd, &tio) != 0) throw TComPortException("GetCommState failed!");
  if (!ApplyLineParameters(tio, aBaudRate, aDataBits, aStopBits, aParity) || ::tcsetattr(fd, TCSANOW, &tio) != 0) {
    throw TComPortException("SetCommState failed!");
  }
  fBaudRate = aBaudRate;
  fDataBits = aDataBits;
  fStopBits = aStopBits;
  fParity = aParity;
}

int32_t TComPort::Read(char* aBuffer, uint32_t aBytes, uint32_t aTimeout, uint32_t& aErrorCode) {
  if (!ComIsOpen()) throw TComPortException("Cannot read because COM port is not open.");
  const int fd = static_cast<int>(fComHandle);
  const auto deadline = Clock::now() + std::chrono::milliseconds(aTimeout);
  uint32_t count = 0;
  int failure = 0;
  while (count < aBytes && failure == 0) {
    const int wait = count == 0 ? RemainingMs(deadline) : std::min(RemainingMs(deadline), kInterByteMs);
    pollfd pfd{fd, POLLIN, 0};
    const int ready = ::poll(&pfd, 1, wait);
    if (ready == 0) break;
    if (ready < 0) {
      failure = errno == EINTR ? 0 : errno;
      continue;
    }
    if (!(pfd.revents & POLLIN)) {
      failure = EIO;  // hung up or line error without data
      continue;
    }
    const ssize_t got = ::read(fd, aBuffer + count, aBytes - count);
    if (got > 0) {
      count += static_cast<uint32_t>(got);
    } else if (got == 0) {
      failure = EIO;
    } else if (errno != EINTR && errno != EAGAIN) {
      failure = errno;
    }
  }
  if (count > 0 || failure == 0) return static_cast<int32_t>(count);
  // A broken line fails at once; using up the read's time keeps a read loop from spinning.
  aErrorCode = static_cast<uint32_t>(failure);
  std::this_thread::sleep_until(deadline);
  return -1;
}

size_t TComPort::SendBuffer(const char* aBuffer, size_t aCount) {
  if (!ComIsOpen()) throw TComPortException("Cannot write because COM port is not open.");
  const int fd = static_cast<int>(fComHandle);
  size_t sent = 0;
  while (sent < aCount) {
    const ssize_t done = ::write(fd, aBuffer + sent, aCount - sent);
    if (done > 0) {
      sent += static_cast<size_t>(done);
      continue;
    }
    if (done < 0 && errno == EINTR) continue;
    pollfd pfd{fd, POLLOUT, 0};
    if (done < 0 && errno == EAGAIN && ::poll(&pfd, 1, kWriteStallMs) > 0 && (pfd.revents & POLLOUT)) continue;
    throw TComPortException("Write to com port failed.");
  }
  return sent;
}

void TComPort::ClearBuffers() {
  if (!ComIsOpen()) return;
  if (::tcflush(static_cast<int>(fComHandle), TCIOFLUSH) != 0) throw TComPortException("PurgeComm failed!");
}

uint32_t TComPort::GetBytesPending() const {
  int pending = 0;
  if (!ComIsOpen() || ::ioctl(static_cast<int>(fComHandle), FIONREAD, &pending) != 0 || pending < 0) return 0;
  return static_cast<uint32_t>(pending);
}

#endif
