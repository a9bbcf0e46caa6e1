#include "transport/kIOHandler.h"

#include <cstdio>

#include "runtime/Text.h"

namespace {

// Each byte is the character with the same code (U+0000 to U+00FF).
std::string Latin1ToUtf8(std::string_view aData) {
  std::string text;
  text.reserve(aData.size());
  for (const char c : aData) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x80) {
      text += c;
    } else {
      text += static_cast<char>(0xC0 | (byte >> 6));
      text += static_cast<char>(0x80 | (byte & 0x3F));
    }
  }
  return text;
}

void AppendHex(std::string& aOut, unsigned aValue) {
  char digits[8];
  std::snprintf(digits, sizeof digits, "%02x", aValue);
  if (!aOut.empty()) aOut += ' ';
  aOut += digits;
}

}  // namespace

kIOHandler::kIOHandler(const kConnection* aConnection, const std::string& aDirectory, const std::string& aFileName) {
  if (aConnection) {
    fReadTimeout = aConnection->ReadTimeOut();
    fConnectTimeout = aConnection->ConnectTimeOut();
  }
  if (!aDirectory.empty() && !aFileName.empty()) {
    fLogger = std::make_unique<tQN_LogWriter>(aFileName, aDirectory, 0, true);
    Debug(let_info, "*************************** START ***************************");
  }
}

kIOHandler::~kIOHandler() {
  Debug(let_info, "*************************** STOP ****************************");
}

bool kIOHandler::Connect() {
  Debug(let_info, "*************************************************************");
  Debug(let_info, ClassName());
  Debug(let_info, fVersion);
  Debug(let_info, "ConnectTimeout=" + std::to_string(fConnectTimeout));
  Debug(let_info, "ReadTimeout=" + std::to_string(fReadTimeout));
  return true;
}

void kIOHandler::Debug(tQN_MessageType aEntryType, std::string_view aMessage) {
  if (fLogger) fLogger->Write(aEntryType, aMessage);
}

void kIOHandler::WriteLog(tQN_MessageType aEntryType, std::string_view aTitle, std::string_view aData) {
  if (!fLogger) return;
  LogTransfer(aEntryType, aTitle, Latin1ToUtf8(aData), fHexLog ? HexString(aData) : std::string());
}

void kIOHandler::WriteTextLog(tQN_MessageType aEntryType, std::string_view aTitle, std::string_view aText) {
  if (!fLogger) return;
  std::string hex;
  if (fHexLog) {
    for (const char16_t unit : Utf8ToUtf16(aText)) AppendHex(hex, unit);
  }
  LogTransfer(aEntryType, aTitle, aText, hex);
}

void kIOHandler::LogTransfer(tQN_MessageType aEntryType, std::string_view aTitle, std::string_view aUtf8,
                             const std::string& aHex) {
  std::string line;
  line.reserve(aTitle.size() + aUtf8.size() + aHex.size() + 4);
  line.append(aTitle).append(":").append(aUtf8);
  if (fHexLog) line.append(" [").append(aHex).append("]");
  fLogger->Write(aEntryType, line);
}

std::string kIOHandler::HexString(std::string_view aData) {
  std::string hex;
  hex.reserve(aData.size() * 3);
  for (const char c : aData) AppendHex(hex, static_cast<unsigned char>(c));
  return hex;
}

void kIOHandler::LogWaitingFor(std::string_view aChars) {
  if (!fLogger) return;
  std::string chars;
  std::string hex;
  for (const char c : aChars) {
    if (!chars.empty()) {
      chars += ',';
      hex += ',';
    }
    chars += Latin1ToUtf8(std::string_view(&c, 1));
    hex += HexString(std::string_view(&c, 1));
  }
  std::string line = "Waiting for:" + chars;
  if (fHexLog) line += " [" + hex + "]";
  fLogger->Write(let_info, line);
}

void kIOHandler::LogReadResult(bool aTimedOut, std::string_view aResult) {
  if (aTimedOut) {
    WriteLog(let_error, "Read Timeout", aResult);
  } else {
    WriteLog(let_info, "Read", aResult);
  }
}

int64_t kIOHandler::MillisecondsSince(Clock::time_point aStart) {
  return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - aStart).count();
}

void kIOHandler::SetCustomError(int32_t aErrorCode, const std::string& aErrorMessage) {
  fErrorFound = true;
  fErrorCode = aErrorCode;
  fErrorMessage = aErrorMessage;
}

void kIOHandler::ResetCustomError() {
  fErrorFound = false;
  fErrorCode = 0;
  fErrorMessage.clear();
}

std::string kIOHandler::GetLogFileName() const {
  return fLogger ? fLogger->FileName() : std::string();
}

bool kIOHandler::WaitLogWritten(std::chrono::milliseconds aBound) const {
  return !fLogger || fLogger->WaitUntilWritten(aBound);
}

void kIOHandler::SetTemporaryReadTimeout(int32_t aNewTimeout) {
  Debug(let_info, "Set Read Timeout to " + std::to_string(aNewTimeout) + "ms from " + std::to_string(fReadTimeout) + " ms");
  if (aNewTimeout > 0) {
    fTemporaryReadTimeout = fReadTimeout;
    fReadTimeout = aNewTimeout;
  }
}

void kIOHandler::ResetTemporaryReadTimeout() {
  Debug(let_info, "Reset Timeout to " + std::to_string(fTemporaryReadTimeout) + " ms");
  if (fTemporaryReadTimeout != 0) fReadTimeout = fTemporaryReadTimeout;
}
