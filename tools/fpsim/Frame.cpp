#include "Frame.h"

#include "Printer.h"

#include <cstdio>

std::string FrameChecksum(std::string_view text) {
  unsigned long sum = 0;
  for (char c : text) sum += static_cast<unsigned char>(c);
  return Digits(static_cast<int64_t>(sum % 100), 2);
}

std::string BuildReplyFrame(const std::string& counter, const std::string& replyCode, const std::string& data,
                            int error) {
  std::string payload = counter + "E";
  payload += error != 0 ? "ERR00" + Digits(error, 2) : replyCode + data;
  return std::string(1, Control::kStx) + payload + FrameChecksum(payload) + Control::kEtx;
}

std::vector<FrameReader::Event> FrameReader::Feed(std::string_view bytes) {
  std::vector<Event> events;
  for (char c : bytes) {
    if (c == Control::kStx) {
      fInFrame = true;
      fOverlong = false;
      fBuffer.clear();
    } else if (!fInFrame) {
      if (c == Control::kAck) events.push_back(Event{EventType::Ack, {}, {}});
    } else if (c == Control::kEtx) {
      fInFrame = false;
      if (fOverlong) events.push_back(Event{EventType::BadFrame, {}, "frame too long"});
      else events.push_back(Check(fBuffer));
      fBuffer.clear();
    } else if (fBuffer.size() < kMaxFrameLength) {
      fBuffer += c;
    } else if (!fOverlong) {
      fOverlong = true;
      fBuffer.clear();
    }
  }
  return events;
}

void FrameReader::Reset() {
  fInFrame = false;
  fOverlong = false;
  fBuffer.clear();
}

FrameReader::Event FrameReader::Check(const std::string& message) const {
  const auto bad = [](std::string detail) { return Event{EventType::BadFrame, {}, std::move(detail)}; };
  if (message.size() < 9) return bad("frame too short");
  const std::string_view text(message);
  if (!IsDigits(text.substr(0, 2))) return bad("counter is not two digits");
  if (text[2] != 'E') return bad("no E after the counter");
  if (!IsDigits(text.substr(3, 4))) return bad("command code is not four digits");
  const std::string_view body = text.substr(0, text.size() - 2);
  if (text.substr(text.size() - 2) != FrameChecksum(body)) return bad("checksum mismatch");
  return Event{EventType::Frame,
               RequestFrame{std::string(text.substr(0, 2)), std::string(text.substr(3, 4)),
                            std::string(body.substr(7))},
               {}};
}
