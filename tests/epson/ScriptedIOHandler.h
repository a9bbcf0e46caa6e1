#pragma once
// A transport that plays a printer from a script, for exchange tests that check
// the exact bytes. Each frame the driver writes (a write that starts with STX)
// takes the next scripted answer; the answer's bytes become readable input.
// Without scripted answers left, a responder (a small fake printer) may answer
// each frame from its command code and data instead.
// Reads behave as a real line: they stop after a terminator, and when no input is
// left they wait the read time-out and return what they have (silence). Tests use
// read time-outs of a few milliseconds so that silence costs almost nothing.
//
// Every call is recorded as an event, with control bytes spelled out:
//   "clear", "write <STX>01E108501" ..., "read <ACK>", "read " (silence).

#include <chrono>
#include <deque>
#include <functional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "transport/kIOHandler.h"

namespace scripted {

inline constexpr char STX = 0x02, ETX = 0x03, ACK = 0x06, NAK = 0x0F, WAIT = 0x11;

// Control bytes as <NAME>, other bytes as they are.
inline std::string Spell(std::string_view bytes) {
  std::string text;
  for (char c : bytes) {
    switch (c) {
      case STX: text += "<STX>"; break;
      case ETX: text += "<ETX>"; break;
      case ACK: text += "<ACK>"; break;
      case NAK: text += "<NAK>"; break;
      case WAIT: text += "<WAIT>"; break;
      default: text += c;
    }
  }
  return text;
}

// The two-digit checksum the printer would put in a reply.
inline std::string Checksum(std::string_view text) {
  unsigned sum = 0;
  for (char c : text) sum += static_cast<unsigned char>(c);
  char digits[3] = {char('0' + sum % 100 / 10), char('0' + sum % 10), 0};
  return digits;
}

// A reply frame as a printer sends it: STX, three leading characters, the reply
// code, the data, a checksum, ETX.
inline std::string Reply(std::string_view code, std::string_view data) {
  std::string payload = "01E" + std::string(code) + std::string(data);
  return std::string(1, STX) + payload + Checksum(payload) + std::string(1, ETX);
}

// An error reply: "ERR" at payload characters 4 to 6, the two-digit code at 9 and 10.
inline std::string ErrorReply(std::string_view code2) { return Reply("ERR0", "0" + std::string(code2)); }

// ACK followed by a reply: the usual answer to a frame.
inline std::string AckReply(std::string_view code, std::string_view data) {
  return std::string(1, ACK) + Reply(code, data);
}

}  // namespace scripted

class ScriptedIOHandler : public kIOHandler {
public:
  // Without a log folder the transport has no trace file.
  explicit ScriptedIOHandler(int32_t aReadTimeoutMs = 5, const std::string& aLogDir = {},
                             const std::string& aLogName = {})
      : kIOHandler(nullptr, aLogDir, aLogName) {
    fReadTimeout = aReadTimeoutMs;
  }

  // The answer to the next frame written (empty for silence).
  ScriptedIOHandler& Answer(std::string bytes) {
    fAnswers.push_back(std::move(bytes));
    return *this;
  }
  // Answers a frame when no scripted answer is left: command code and data in,
  // the printer's bytes out.
  std::function<std::string(const std::string& aCommand, const std::string& aData)> fRespond;
  // Bytes that the printer sends, one millisecond after a read began, whenever
  // that read finds no input: WAIT for a printer that is busy forever. Empty (the
  // default) means silence.
  std::string fIdleAnswer;

  std::vector<std::string> fEvents;
  std::vector<std::string> Writes() const { return WithPrefix("write "); }
  // The read time-out in force when each frame was written.
  std::vector<int32_t> fFrameReadTimeouts;
  // Every frame written, as "<code> <data>" (re-sends included).
  std::vector<std::string> Commands() const {
    std::vector<std::string> commands;
    for (const auto& frame : fFrames) commands.push_back(frame.substr(4, 4) + " " + frame.substr(8, frame.size() - 11));
    return commands;
  }
  size_t UnusedAnswers() const { return fAnswers.size(); }
  bool fConnectResult = true;   // what Connect reports, after the banner
  bool fDisconnected = false;

  bool Connect() override { return kIOHandler::Connect() && fConnectResult; }
  bool Disconnect() override {
    fDisconnected = true;
    return true;
  }
  void ClearBuffers() override {
    fEvents.push_back("clear");
    fInput.clear();
  }
  bool Write(const std::string& aMessage) override {
    fEvents.push_back("write " + scripted::Spell(aMessage));
    WriteLog(let_info, "Write", aMessage);
    if (aMessage.size() < 11 || aMessage.front() != scripted::STX) return true;
    fFrames.push_back(aMessage);
    fFrameReadTimeouts.push_back(fReadTimeout);
    if (!fAnswers.empty()) {
      fInput += fAnswers.front();
      fAnswers.pop_front();
    } else if (fRespond) {
      fInput += fRespond(aMessage.substr(4, 4), aMessage.substr(8, aMessage.size() - 11));
    }
    return true;
  }
  std::string ReadUpTo(std::string_view aChars) override {
    if (fInput.empty() && !fIdleAnswer.empty()) {
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
      fInput = fIdleAnswer;
    }
    const size_t end = fInput.find_first_of(aChars);
    std::string result;
    if (end == std::string::npos) {
      result = std::move(fInput);
      fInput.clear();
      WaitReadTimeout();
    } else {
      result = fInput.substr(0, end + 1);
      fInput.erase(0, end + 1);
    }
    fEvents.push_back("read " + scripted::Spell(result));
    LogReadResult(end == std::string::npos, result);
    return result;
  }
  std::string ReadChars(int32_t) override { return {}; }
  std::string ReadAll() override { return {}; }
  std::string DecodeError(int32_t) override { return {}; }
  void SetParameter(const std::string&, const std::string&) override {}

protected:
  const char* ClassName() const override { return "ScriptedIOHandler"; }

private:
  // A read that finds nothing lasts the read time-out, as on a real line; the
  // margin makes "later than the deadline" hold for the caller's clock too.
  void WaitReadTimeout() const {
    std::this_thread::sleep_for(std::chrono::milliseconds(fReadTimeout + 1));
  }
  std::vector<std::string> WithPrefix(std::string_view prefix) const {
    std::vector<std::string> found;
    for (const auto& event : fEvents)
      if (event.starts_with(prefix)) found.push_back(event.substr(prefix.size()));
    return found;
  }

  std::deque<std::string> fAnswers;
  std::vector<std::string> fFrames;
  std::string fInput;
};
