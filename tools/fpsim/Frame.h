#pragma once
// The printer's side of the framed exchange.
//
// Request: STX, counter (2 digits), "E", command code (4 digits), data, checksum
// (2 digits: the sum of the byte values from the counter to the end of the data,
// last two decimal digits), ETX.
// Reply: STX, counter of the request (2 digits), "E", reply code (4 characters),
// data, checksum over everything after STX, ETX. An error reply carries "ERR" as
// the first three characters of the reply code, then "00" and the two-digit error.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace Control {
constexpr char kStx = 0x02;
constexpr char kEtx = 0x03;
constexpr char kAck = 0x06;
constexpr char kNak = 0x0F;
constexpr char kWait = 0x11;
}  // namespace Control

struct RequestFrame {
  std::string counter;  // two digits
  std::string code;     // four digits
  std::string data;
};

// Sum of the byte values, last two decimal digits.
std::string FrameChecksum(std::string_view text);

// The reply frame to a request with this counter: reply data under a reply code,
// or the error reply when error is not 0.
std::string BuildReplyFrame(const std::string& counter, const std::string& replyCode, const std::string& data,
                            int error);

// Cuts the byte stream from the host into what the printer reacts to.
class FrameReader {
public:
  enum class EventType { Frame, BadFrame, Ack };
  struct Event {
    EventType type;
    RequestFrame frame;  // for Frame
    std::string detail;  // for BadFrame: why it was refused
  };

  // A frame longer than this is refused without waiting for its end.
  static constexpr size_t kMaxFrameLength = 1024;

  // Consumes the bytes; returns the complete frames, refused frames and ACKs found.
  // Bytes outside a frame other than ACK are dropped; STX inside a frame restarts it.
  std::vector<Event> Feed(std::string_view bytes);
  void Reset();

private:
  Event Check(const std::string& message) const;

  bool fInFrame = false;
  bool fOverlong = false;
  std::string fBuffer;
};
