#pragma once
// A client stream socket with bounded waits: connect within a time-out, receive
// what has arrived within a time-out, send everything. The platform part lives in
// its own source file (TcpSocketPosix.cpp).

#include <cstdint>
#include <string>
#include <string_view>

class TcpSocket {
public:
  enum class Status { Ok, TimedOut, Closed, Failed };

  TcpSocket() = default;
  ~TcpSocket();
  TcpSocket(const TcpSocket&) = delete;
  TcpSocket& operator=(const TcpSocket&) = delete;

  // Closes any earlier connection, then connects to aHost:aPort within aTimeoutMs.
  // Ok, TimedOut, or Failed with the reason in aError.
  Status Connect(const std::string& aHost, uint16_t aPort, int aTimeoutMs, std::string& aError);
  void Close();
  bool IsOpen() const { return fSocket != kNoSocket; }

  // Waits up to aTimeoutMs for data and appends what has arrived to aInto.
  // TimedOut, Closed (the peer closed the connection in order) and Failed carry
  // their reason in aError.
  Status Receive(std::string& aInto, int aTimeoutMs, std::string& aError);
  // Sends all of aData, waiting at most aStallMs each time the peer takes nothing
  // (0 or less: no limit). Throws std::runtime_error with the reason.
  void Send(std::string_view aData, int aStallMs);
  // Drops whatever the system has received and not yet been read.
  void DiscardPending();

private:
  // Wide enough for a file descriptor and for a Win32 socket.
  using Handle = intptr_t;
  static constexpr Handle kNoSocket = -1;

  Handle fSocket = kNoSocket;
};
