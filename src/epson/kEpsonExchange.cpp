#include "epson/kEpsonExchange.h"

#include <chrono>

#include "epson/EpsonErrorText.h"
#include "epson/EpsonFrame.h"
#include "transport/kIOHandler.h"

namespace {

using Clock = std::chrono::steady_clock;

const std::string kAnswerTerminators{epson::ACK, epson::NAK, epson::WAIT, epson::ETX};
const std::string kAckAnswer(1, epson::ACK);
const std::string kWaitAnswer(1, epson::WAIT);
const std::string kNakAnswer(1, epson::NAK);

}  // namespace

std::string kEpsonExchange::BuildFrame(std::string_view aCommand, std::string_view aData) {
  ++fFrameCounter;
  return epson::BuildFrame(fFrameCounter, aCommand, aData);
}

std::string kEpsonExchange::AwaitReply(const std::string& aFrame) {
  const auto readTimeout = [this] { return std::chrono::milliseconds(fIOHandler.fReadTimeout); };
  const Clock::time_point giveUp = Clock::now() + readTimeout() * kMaxExchangeReadTimeouts;
  Clock::time_point deadline = Clock::now() + readTimeout();
  std::string answer;
  for (int attempt = 1; attempt <= kAttempts;) {
    // ACK and WAIT mean the printer has the frame: keep reading without sending.
    if (answer != kAckAnswer && answer != kWaitAnswer) {
      fIOHandler.ClearBuffers();
      fIOHandler.Write(aFrame);
    }
    answer = fIOHandler.ReadUpTo(kAnswerTerminators);
    if (answer == kNakAnswer) {
      fIOHandler.Write(aFrame);
    } else if (answer == kWaitAnswer) {
      deadline = Clock::now() + readTimeout();
    } else if (epson::IsReplyFrame(answer)) {
      return answer;
    }
    const Clock::time_point now = Clock::now();
    if ((now > deadline && answer != kAckAnswer) || now > giveUp) {
      fIOHandler.Debug(let_error, "Timeout: #" + std::to_string(attempt));
      deadline = now + readTimeout();
      attempt = now > giveUp ? kAttempts + 1 : attempt + 1;
    }
  }
  return {};
}

bool kEpsonExchange::ExecuteCommand(std::string_view aCommand, std::string_view aData, std::string_view aDescription) {
  fIOHandler.Debug(let_info, "*" + std::string(aDescription) + "*");
  fFullResponseData.clear();
  fResponseData.clear();
  const std::string reply = AwaitReply(BuildFrame(aCommand, aData));
  if (reply.empty()) {
    fIOHandler.SetCustomError(-99, "Timeout Error");
    return false;
  }
  const std::string_view payload = epson::ReplyPayload(reply);
  fFullResponseData = epson::FullResponseData(payload);
  fResponseData = epson::ResponseData(payload);
  // Acknowledged before the reply is judged, error replies included, so that
  // the printer is never left waiting, whatever the reply holds.
  if (fAckEnabled) fIOHandler.Write(kAckAnswer);
  return CheckResponse(payload);
}

bool kEpsonExchange::CheckResponse(std::string_view aPayload) {
  if (!epson::IsErrorReply(aPayload)) return true;
  const int code = epson::ErrorReplyCode(aPayload);
  fIOHandler.SetCustomError(code, epson::GetPrinterErrorText(code));
  return false;
}

std::string kEpsonExchange::RD(size_t aFrom, size_t aTo) const { return epson::ReplyField(fResponseData, aFrom, aTo); }

std::string kEpsonExchange::FRD(size_t aFrom, size_t aTo) const {
  return epson::ReplyField(fFullResponseData, aFrom, aTo);
}
