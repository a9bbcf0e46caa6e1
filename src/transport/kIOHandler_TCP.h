#pragma once
// The transport of a plain TCP connection to a host and port. Received bytes are
// kept in an input buffer and handed out one at a time, so a read that stops at a
// terminator leaves the rest for the next read.
//
// Connect and read failures are logged and reported by the results, never thrown;
// Write throws when the data cannot be sent.

#include <cstdint>
#include <string>

#include "transport/TcpSocket.h"
#include "transport/kIOHandler.h"

class kIOHandler_TCP : public kIOHandler {
public:
  // Host := the connection's Address, port := its Port (as a 16-bit port number).
  kIOHandler_TCP(const kConnection& aConnection, const std::string& aDirectory, const std::string& aFileName);
  ~kIOHandler_TCP() override;

  // Banner, host and port, then connects within the connect time-out; false
  // (logged as "Connect Timeout" or "Connect Error") when that fails.
  bool Connect() override;
  bool Disconnect() override;
  void ClearBuffers() override;
  bool Write(const std::string& aMessage) override;
  std::string ReadUpTo(std::string_view aChars) override;
  std::string ReadChars(int32_t aCharsNum) override;
  std::string ReadAll() override;
  std::string DecodeError(int32_t aErrorCode) override;
  void SetParameter(const std::string& aName, const std::string& aValue) override;

  const std::string& Host() const { return fHost; }
  uint16_t Port() const { return fPort; }

protected:
  const char* ClassName() const override { return "kIOHandler_TCP"; }

private:
  // Next byte, waiting at most aWaitMs for it to arrive; the reason of a failure in aError.
  TcpSocket::Status ReadByte(char& aByte, int aWaitMs, std::string& aError);

  std::string fHost;
  uint16_t fPort;
  TcpSocket fSocket;
  std::string fInput;  // received and not yet read, from fInputPos on
  size_t fInputPos = 0;
};
