// Client sockets on POSIX systems: non-blocking descriptors with poll-bounded waits.
#ifndef _WIN32

#include <errno.h>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <memory>
#include <stdexcept>

#include "transport/TcpSocket.h"

namespace {

using Clock = std::chrono::steady_clock;

struct AddressListDeleter {
  void operator()(addrinfo* aList) const { ::freeaddrinfo(aList); }
};

int RemainingMs(Clock::time_point aDeadline) {
  const auto left = std::chrono::ceil<std::chrono::milliseconds>(aDeadline - Clock::now()).count();
  return left > 0 ? static_cast<int>(left) : 0;
}

// Waits for aEvents on aFd: 1 ready, 0 timed out, -1 failed (errno set).
int WaitFor(int aFd, short aEvents, int aTimeoutMs) {
  while (true) {
    pollfd pfd{aFd, aEvents, 0};
    const int ready = ::poll(&pfd, 1, aTimeoutMs);
    if (ready >= 0 || errno != EINTR) return ready;
  }
}

// One non-blocking connect attempt; the descriptor in aFd is the caller's to close.
TcpSocket::Status ConnectTo(const addrinfo& aAddress, Clock::time_point aDeadline, int& aFd, std::string& aError) {
  aFd = ::socket(aAddress.ai_family, aAddress.ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC, aAddress.ai_protocol);
  if (aFd < 0) {
    aError = std::strerror(errno);
    return TcpSocket::Status::Failed;
  }
  // Frames and acknowledgements are small writes that wait for an answer: without
  // this, Nagle's algorithm holds each one until the peer's delayed ACK (~40 ms).
  const int on = 1;
  ::setsockopt(aFd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
  if (::connect(aFd, aAddress.ai_addr, aAddress.ai_addrlen) == 0) return TcpSocket::Status::Ok;
  if (errno != EINPROGRESS) {
    aError = std::strerror(errno);
    return TcpSocket::Status::Failed;
  }
  const int ready = WaitFor(aFd, POLLOUT, RemainingMs(aDeadline));
  if (ready == 0) return TcpSocket::Status::TimedOut;
  int failure = ready < 0 ? errno : 0;
  socklen_t length = sizeof failure;
  if (ready > 0 && ::getsockopt(aFd, SOL_SOCKET, SO_ERROR, &failure, &length) != 0) failure = errno;
  if (failure == 0) return TcpSocket::Status::Ok;
  aError = std::strerror(failure);
  return TcpSocket::Status::Failed;
}

}  // namespace

TcpSocket::~TcpSocket() {
  Close();
}

TcpSocket::Status TcpSocket::Connect(const std::string& aHost, uint16_t aPort, int aTimeoutMs, std::string& aError) {
  Close();
  const auto deadline = Clock::now() + std::chrono::milliseconds(aTimeoutMs);
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* found = nullptr;
  const int resolved = ::getaddrinfo(aHost.c_str(), std::to_string(aPort).c_str(), &hints, &found);
  if (resolved != 0) {
    aError = ::gai_strerror(resolved);
    return Status::Failed;
  }
  const std::unique_ptr<addrinfo, AddressListDeleter> addresses(found);
  Status status = Status::Failed;
  for (const addrinfo* address = found; address && status != Status::Ok; address = address->ai_next) {
    int fd = -1;
    status = ConnectTo(*address, deadline, fd, aError);
    if (status == Status::Ok) {
      fSocket = fd;
    } else if (fd >= 0) {
      ::close(fd);
    }
    if (status == Status::TimedOut) break;
  }
  return status;
}

void TcpSocket::Close() {
  if (!IsOpen()) return;
  ::close(static_cast<int>(fSocket));
  fSocket = kNoSocket;
}

TcpSocket::Status TcpSocket::Receive(std::string& aInto, int aTimeoutMs, std::string& aError) {
  if (!IsOpen()) {
    aError = "Not Connected";
    return Status::Failed;
  }
  const int fd = static_cast<int>(fSocket);
  const int ready = WaitFor(fd, POLLIN, aTimeoutMs);
  if (ready == 0) {
    aError = "Read timed out.";
    return Status::TimedOut;
  }
  char buffer[4096];
  const ssize_t got = ready > 0 ? ::recv(fd, buffer, sizeof buffer, 0) : -1;
  if (got > 0) {
    aInto.append(buffer, static_cast<size_t>(got));
    return Status::Ok;
  }
  if (got == 0) {
    aError = "Connection Closed Gracefully.";
    return Status::Closed;
  }
  aError = std::strerror(errno);
  return Status::Failed;
}

void TcpSocket::Send(std::string_view aData, int aStallMs) {
  if (!IsOpen()) throw std::runtime_error("Not Connected");
  const int fd = static_cast<int>(fSocket);
  while (!aData.empty()) {
    const ssize_t sent = ::send(fd, aData.data(), aData.size(), MSG_NOSIGNAL);
    if (sent > 0) {
      aData.remove_prefix(static_cast<size_t>(sent));
      continue;
    }
    if (sent < 0 && errno == EINTR) continue;
    if (sent < 0 && errno != EAGAIN) throw std::runtime_error(std::strerror(errno));
    const int ready = WaitFor(fd, POLLOUT, aStallMs > 0 ? aStallMs : -1);
    if (ready == 0) throw std::runtime_error("Write timed out.");
    if (ready < 0) throw std::runtime_error(std::strerror(errno));
  }
}

void TcpSocket::DiscardPending() {
  if (!IsOpen()) return;
  char buffer[4096];
  while (::recv(static_cast<int>(fSocket), buffer, sizeof buffer, MSG_DONTWAIT) > 0) {
  }
}

#endif
