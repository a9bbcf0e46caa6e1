#pragma once
// The transport of a local serial line: maps the connection settings onto a
// TComPort and reads it one byte at a time, so that nothing past a terminator is
// ever consumed.

#include <memory>

#include "transport/TComPort.h"
#include "transport/kIOHandler.h"

class kIOHandler_Serial : public kIOHandler {
public:
  // Validates the line settings and builds the port without opening it. Throws
  // std::runtime_error for a port name without a number, a parity other than
  // none/even/odd ("Parity invalid") or stop bits other than 1 or 2.
  // SerialPort "COMn" is the platform's port n; a path starting with "/" is used
  // as it stands.
  kIOHandler_Serial(const kConnection& aConnection, const std::string& aDirectory, const std::string& aFileName);
  ~kIOHandler_Serial() override;

  // Banner, line settings, then opens the port (throws TComPortException).
  bool Connect() override;
  bool Disconnect() override;
  void ClearBuffers() override;
  // Throws TComPortException when the port is closed or the write fails.
  bool Write(const std::string& aMessage) override;
  std::string ReadUpTo(std::string_view aChars) override;
  std::string ReadChars(int32_t aCharsNum) override;
  std::string ReadAll() override;
  std::string DecodeError(int32_t aErrorCode) override;
  void SetParameter(const std::string& aName, const std::string& aValue) override;

protected:
  const char* ClassName() const override { return "kIOHandler_Serial"; }

private:
  // One byte with the 100 ms read time-out; logs a failed read.
  bool ReadByte(char& aByte);

  std::unique_ptr<TComPort> fComPort;
};
