#include "Link.h"

#include "Printer.h"

#include <algorithm>
#include <cstdio>

Link::Link(Printer& printer, Faults& faults, Settings settings)
    : fPrinter(printer), fFaults(faults), fSettings(std::move(settings)) {}

void Link::Receive(std::string_view bytes, LineOutput& out) {
  Trace("<-", bytes);
  for (const FrameReader::Event& event : fReader.Feed(bytes)) {
    switch (event.type) {
      case FrameReader::EventType::Ack:
        fAwaitingAck = false;
        break;
      case FrameReader::EventType::BadFrame:
        if (fSettings.verbose) std::fprintf(stderr, "fpsim %s: bad frame: %s\n", fSettings.name.c_str(), event.detail.c_str());
        out.Send(std::string(1, Control::kNak));
        Trace("->", std::string(1, Control::kNak));
        break;
      case FrameReader::EventType::Frame:
        Answer(event.frame, out);
        break;
    }
  }
}

void Link::Reset() {
  fReader.Reset();
  fHaveLast = false;
  fLastReply.clear();
  fAwaitingAck = false;
}

void Link::Answer(const RequestFrame& frame, LineOutput& out) {
  if (fAwaitingAck && fSettings.verbose)
    std::fprintf(stderr, "fpsim %s: the host did not acknowledge the last reply\n", fSettings.name.c_str());
  const FaultDecision decision = fFaults.Next(frame.code);
  if (decision.action == FaultDecision::Action::Silence) return;
  if (decision.action == FaultDecision::Action::Nak) {
    out.Send(std::string(1, Control::kNak));
    Trace("->", std::string(1, Control::kNak));
    return;
  }
  std::string handshake = fFaults.RandomBytes(decision.garbage) + Control::kAck;
  out.Send(handshake);
  Trace("->", handshake);

  const bool retry = fHaveLast && frame.counter == fLast.counter && frame.code == fLast.code &&
                     frame.data == fLast.data;
  if (retry) {
    if (fSettings.verbose) std::fprintf(stderr, "fpsim %s: repeated frame, reply sent again\n", fSettings.name.c_str());
  } else {
    fLastReply = Run(frame, decision, out);
    fLast = frame;
    fHaveLast = true;
  }
  if (decision.loseReply) return;
  SendWaits(decision.waits, out);
  out.Send(fLastReply);
  Trace("->", fLastReply);
  fAwaitingAck = fPrinter.state.Parameter(Param::kHostAck) == '1';
}

std::string Link::Run(const RequestFrame& frame, const FaultDecision& decision, LineOutput& out) {
  Reply reply;
  if (decision.error != 0) {
    reply = Reply::Error(decision.error);
  } else {
    const CommandTraits* traits = fPrinter.Find(frame.code, frame.data);
    if (traits && traits->slow) {
      out.Send(std::string(1, Control::kWait));
      for (int elapsed = 0; elapsed < fSettings.slowMs; elapsed += static_cast<int>(kWaitInterval.count())) {
        out.Pause(std::min(kWaitInterval, std::chrono::milliseconds(fSettings.slowMs - elapsed)));
        out.Send(std::string(1, Control::kWait));
      }
    }
    reply = fPrinter.Execute(frame.code, frame.data);
    if (fOnCommandRun) fOnCommandRun();
  }
  if (!reply.IsError() && !decision.replyCode.empty()) reply.code = decision.replyCode;
  return BuildReplyFrame(frame.counter, reply.code, reply.data, reply.error);
}

void Link::SendWaits(int count, LineOutput& out) {
  for (int i = 0; i < count; ++i) {
    if (i > 0) out.Pause(kInjectedWaitInterval);
    out.Send(std::string(1, Control::kWait));
  }
}

void Link::Trace(const char* direction, std::string_view bytes) const {
  if (!fSettings.verbose || bytes.empty()) return;
  std::string shown;
  for (char ch : bytes) {
    const auto c = static_cast<unsigned char>(ch);
    if (c >= 0x20 && c < 0x7F) {
      shown += ch;
    } else {
      char hex[8];
      std::snprintf(hex, sizeof hex, "<%02X>", c);
      shown += hex;
    }
  }
  std::fprintf(stderr, "fpsim %s %s %s\n", fSettings.name.c_str(), direction, shown.c_str());
}
