#include "epson/EpsonFrame.h"

#include "runtime/Convert.h"

namespace epson {

namespace {

std::string TwoDigits(unsigned value) {
  value %= 100;
  return {static_cast<char>('0' + value / 10), static_cast<char>('0' + value % 10)};
}

}  // namespace

std::string CalcChecksum(std::string_view message) {
  unsigned sum = 0;
  for (char c : message) sum += static_cast<unsigned char>(c);
  return TwoDigits(sum);
}

std::string BuildFrame(int frameCounter, std::string_view command, std::string_view data) {
  std::string message = TwoDigits(static_cast<unsigned>(frameCounter % 100));
  message += 'E';
  message += command;
  message += data;
  std::string frame(1, STX);
  frame += message;
  frame += CalcChecksum(message);
  frame += ETX;
  return frame;
}

bool IsReplyFrame(std::string_view answer) {
  return answer.size() >= 2 && answer.front() == STX && answer.back() == ETX;
}

std::string_view ReplyPayload(std::string_view frame) {
  return frame.size() >= 2 ? frame.substr(1, frame.size() - 2) : std::string_view();
}

std::string ReplyField(std::string_view text, size_t from, size_t to) {
  if (from < 1 || from > to || from > text.size()) return {};
  return std::string(text.substr(from - 1, to - from + 1));
}

std::string FullResponseData(std::string_view payload) {
  return payload.size() < 2 ? std::string() : ReplyField(payload, 4, payload.size() - 2);
}

std::string ResponseData(std::string_view payload) {
  return payload.size() < 2 ? std::string() : ReplyField(payload, 8, payload.size() - 2);
}

bool IsErrorReply(std::string_view payload) { return ReplyField(payload, 4, 6) == "ERR"; }

int ErrorReplyCode(std::string_view payload) { return StrToInt32(ReplyField(payload, 9, 10)); }

}  // namespace epson
