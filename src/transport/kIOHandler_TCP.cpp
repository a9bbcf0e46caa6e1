#include "transport/kIOHandler_TCP.h"

#include <stdexcept>

kIOHandler_TCP::kIOHandler_TCP(const kConnection& aConnection, const std::string& aDirectory,
                               const std::string& aFileName)
    : kIOHandler(&aConnection, aDirectory, aFileName),
      fHost(aConnection.fAddress),
      fPort(static_cast<uint16_t>(aConnection.fPort)) {}

kIOHandler_TCP::~kIOHandler_TCP() = default;

bool kIOHandler_TCP::Connect() {
  kIOHandler::Connect();
  Debug(let_info, "Host=" + fHost);
  Debug(let_info, "Port=" + std::to_string(fPort));
  ClearBuffers();
  std::string error;
  switch (fSocket.Connect(fHost, fPort, fConnectTimeout, error)) {
    case TcpSocket::Status::Ok:
      return true;
    case TcpSocket::Status::TimedOut:
      WriteLog(let_error, "Connect Timeout", "");
      return false;
    default:
      WriteLog(let_error, "Connect Error", error);
      return false;
  }
}

bool kIOHandler_TCP::Disconnect() {
  fSocket.Close();
  return !fSocket.IsOpen();
}

void kIOHandler_TCP::ClearBuffers() {
  fInput.clear();
  fInputPos = 0;
  fSocket.DiscardPending();
}

// The peer must take the data within the read time-out whenever it stalls.
bool kIOHandler_TCP::Write(const std::string& aMessage) {
  WriteLog(let_info, "Write", aMessage);
  fSocket.Send(aMessage, fReadTimeout);
  return true;
}

TcpSocket::Status kIOHandler_TCP::ReadByte(char& aByte, int aWaitMs, std::string& aError) {
  if (fInputPos == fInput.size()) {
    fInput.clear();
    fInputPos = 0;
    const TcpSocket::Status status = fSocket.Receive(fInput, aWaitMs, aError);
    if (status != TcpSocket::Status::Ok) return status;
  }
  aByte = fInput[fInputPos++];
  return TcpSocket::Status::Ok;
}

// Each byte may take up to the read time-out to arrive; the overall deadline is
// checked after every byte, so a terminator that arrives after it is still part
// of the result but the read is logged as timed out.
std::string kIOHandler_TCP::ReadUpTo(std::string_view aChars) {
  LogWaitingFor(aChars);
  std::string result;
  const auto start = Clock::now();
  while (true) {
    char byte;
    std::string error;
    if (ReadByte(byte, fReadTimeout, error) != TcpSocket::Status::Ok) {
      WriteLog(let_error, "ReadUpTo Unexpected error", error);
      return result;
    }
    result += byte;
    const bool timedOut = MillisecondsSince(start) > fReadTimeout;
    if (timedOut || aChars.find(byte) != std::string_view::npos) {
      LogReadResult(timedOut, result);
      return result;
    }
  }
}

// Waits for the count until the read time-out has passed since the start of the
// call; a time-out returns what arrived, like the other transports.
std::string kIOHandler_TCP::ReadChars(int32_t aCharsNum) {
  std::string result;
  const auto start = Clock::now();
  while (static_cast<int64_t>(result.size()) < aCharsNum) {
    char byte;
    std::string error;
    const int64_t left = fReadTimeout - MillisecondsSince(start);
    const TcpSocket::Status status = ReadByte(byte, left > 0 ? static_cast<int>(left) : 0, error);
    if (status == TcpSocket::Status::TimedOut) break;
    if (status != TcpSocket::Status::Ok) {
      WriteLog(let_error, "ReadChars Unexpected error", error);
      return result;
    }
    result += byte;
  }
  LogReadResult(static_cast<int64_t>(result.size()) < aCharsNum, result);
  return result;
}

std::string kIOHandler_TCP::ReadAll() {
  std::string result;
  const auto start = Clock::now();
  while (true) {
    char byte;
    std::string error;
    const TcpSocket::Status status = ReadByte(byte, fReadTimeout, error);
    if (status == TcpSocket::Status::Closed) {
      WriteLog(let_info, "Read", result);
      return result;
    }
    if (status != TcpSocket::Status::Ok) {
      WriteLog(let_error, "ReadAll Unexpected error", error);
      return result;
    }
    result += byte;
    if (MillisecondsSince(start) > fReadTimeout) {
      WriteLog(let_error, "Read Timeout", result);
      return result;
    }
  }
}

std::string kIOHandler_TCP::DecodeError(int32_t) {
  return {};
}

void kIOHandler_TCP::SetParameter(const std::string&, const std::string&) {}
