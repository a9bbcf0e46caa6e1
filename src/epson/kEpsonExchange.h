#pragma once
// The framed, acknowledged exchange of one native command with an Epson printer:
// build the frame, send it, wait for the acknowledgement and the reply within the
// read time-out, try three times, decode the reply or the printer's error reply.

#include <cstdint>
#include <string>
#include <string_view>

class kIOHandler;

class kEpsonExchange {
public:
  // A printer that keeps answering WAIT (or a lone ACK) never lets the attempt
  // count grow; the exchange gives up as a time-out once it has lasted this many
  // read time-outs in total, so a stuck printer cannot hold the caller forever.
  static constexpr int kMaxExchangeReadTimeouts = 60;
  static constexpr int kAttempts = 3;

  explicit kEpsonExchange(kIOHandler& aIOHandler) : fIOHandler(aIOHandler) {}

  // Sends one command and waits for its reply. True when a reply frame arrived and
  // it was not an error reply; fFullResponseData and fResponseData then hold it.
  // False after an error reply (the IO handler holds the printer's code and text)
  // or when no reply came (the IO handler holds -99 "Timeout Error"). Throws when
  // an error reply carries a code that is not a number.
  bool ExecuteCommand(std::string_view aCommand, std::string_view aData, std::string_view aDescription);

  // Reply positions, 1-based and inclusive: RD in the reply data, FRD in the reply
  // code and data. What lies beyond a short reply reads as empty.
  std::string RD(size_t aFrom, size_t aTo) const;
  std::string FRD(size_t aFrom, size_t aTo) const;

  int32_t fFrameCounter = 0;       // grows by one per new frame, never reset
  bool fAckEnabled = true;         // acknowledge every reply frame with ACK
  std::string fFullResponseData;   // reply code and data of the last reply
  std::string fResponseData;       // reply data of the last reply

private:
  // Increments the frame counter and builds the frame; re-sends reuse it.
  std::string BuildFrame(std::string_view aCommand, std::string_view aData);
  // Waits for the reply frame, sending the frame as the answers require.
  // Returns the reply frame, or empty after the last attempt.
  std::string AwaitReply(const std::string& aFrame);
  // Records the printer's error of an error reply; false for an error reply.
  bool CheckResponse(std::string_view aPayload);

  kIOHandler& fIOHandler;
};
