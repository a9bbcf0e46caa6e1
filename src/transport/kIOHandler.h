#pragma once
// The byte-oriented transport every conversation with a device goes through: a
// uniform set of operations (connect, write, read up to a terminator, read a count),
// an error slot the protocol layer above fills, a read time-out that can be stretched
// for slow commands, and the device's trace log.
//
// Protocol text is a byte string (one byte per character). Transfers are logged with
// WriteLog, which shows each byte as the character with the same code (Latin-1);
// document text that is already UTF-8 is logged with WriteTextLog.

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "runtime/tQN_LogWriter.h"
#include "transport/kConnection.h"

class kIOHandler {
public:
  // Copies the time-outs of aConnection (both stay 0 without one). Opens the trace
  // log <aDirectory>/<aFileName>_<yyyymmdd>.log when both are non-empty; otherwise
  // the transport has no log and every logging call does nothing.
  kIOHandler(const kConnection* aConnection, const std::string& aDirectory, const std::string& aFileName);
  virtual ~kIOHandler();
  kIOHandler(const kIOHandler&) = delete;
  kIOHandler& operator=(const kIOHandler&) = delete;

  // Writes the connect banner; transports connect after it. The device reads
  // ErrorFound / ErrorMessage afterwards rather than relying on the result alone.
  virtual bool Connect();
  // True when disconnected.
  virtual bool Disconnect() = 0;
  // Discards whatever has been received and not yet read.
  virtual void ClearBuffers() = 0;
  virtual bool Write(const std::string& aMessage) = 0;
  // Reads until a byte equal to any byte of aChars arrives (it ends the result) or
  // the read time-out runs out (the result is what arrived, no error is recorded).
  virtual std::string ReadUpTo(std::string_view aChars) = 0;
  // Reads until aCharsNum bytes have arrived or the read time-out runs out.
  virtual std::string ReadChars(int32_t aCharsNum) = 0;
  // Reads until the peer stops sending; throws "ReadAll Unsupported" where the
  // transport cannot.
  virtual std::string ReadAll() = 0;
  // Text of a transport-specific error code; empty where there is no table.
  virtual std::string DecodeError(int32_t aErrorCode) = 0;
  // Transport-specific option; no effect where there is none.
  virtual void SetParameter(const std::string& aName, const std::string& aValue) = 0;

  // Writes aMessage (UTF-8) to the log as it stands.
  void Debug(tQN_MessageType aEntryType, std::string_view aMessage);
  // Logs one transfer of protocol bytes: aTitle + ":" + the bytes, and with HexLog
  // " [" + their hexadecimal dump + "]".
  void WriteLog(tQN_MessageType aEntryType, std::string_view aTitle, std::string_view aData);
  // The same for a UTF-8 text (HTTP bodies); the dump lists its UTF-16 code units.
  void WriteTextLog(tQN_MessageType aEntryType, std::string_view aTitle, std::string_view aText);

  void SetCustomError(int32_t aErrorCode, const std::string& aErrorMessage);
  void ResetCustomError();
  bool ErrorFound() const { return fErrorFound; }
  int32_t ErrorCode() const { return fErrorCode; }
  const std::string& ErrorMessage() const { return fErrorMessage; }
  bool Connected() const { return fConnected; }

  // Full path of the trace file; empty without a log.
  std::string GetLogFileName() const;
  // Waits until every logged line is in the file, at most aBound; true when done
  // (or when there is no log).
  bool WaitLogWritten(std::chrono::milliseconds aBound) const;

  // Stretches the read time-out for a slow command; there is one saved slot, not
  // a stack. Values of 0 or less change nothing (the line is still logged).
  void SetTemporaryReadTimeout(int32_t aNewTimeout);
  void ResetTemporaryReadTimeout();

  // Lower-case hexadecimal of every byte, separated by single blanks: "02 31 03".
  static std::string HexString(std::string_view aData);

  bool fHexLog = false;          // append a hexadecimal dump to every logged transfer
  int32_t fConnectTimeout = 0;   // milliseconds
  int32_t fReadTimeout = 0;      // milliseconds; every read operation obeys it
  std::string fVersion;          // driver version, written into the connect banner

protected:
  // The class name written into the connect banner.
  virtual const char* ClassName() const = 0;
  using Clock = std::chrono::steady_clock;
  static int64_t MillisecondsSince(Clock::time_point aStart);
  // "Waiting for:" with the terminators, and with HexLog their dumps.
  void LogWaitingFor(std::string_view aChars);
  // The outcome of a read: "Read Timeout" as an error, or "Read".
  void LogReadResult(bool aTimedOut, std::string_view aResult);

  bool fConnected = false;

private:
  void LogTransfer(tQN_MessageType aEntryType, std::string_view aTitle, std::string_view aUtf8, const std::string& aHex);

  bool fErrorFound = false;
  int32_t fErrorCode = 0;
  std::string fErrorMessage;
  std::unique_ptr<tQN_LogWriter> fLogger;
  int32_t fTemporaryReadTimeout = 0;
};
