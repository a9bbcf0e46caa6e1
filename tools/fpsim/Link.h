#pragma once
// One host connection: turns the bytes from the host into commands for the
// printer and writes the handshake and replies back.
//
// For every well-formed frame the printer answers ACK and then the reply frame;
// a slow command is preceded by WAIT (and WAIT every 500 ms while it runs). A frame
// that fails the format or checksum check gets NAK and is not run.
//
// Repeated frames: when a frame arrives with the same counter, code and data as the
// last frame that was run, the host is retrying because it did not get the reply.
// The command is not run again: the printer answers ACK and the stored reply of the
// first run, so a lost reply never registers a sale, a payment or a Z report twice.
// Any other frame, even with the same counter, is a new command. The memory of the
// last frame is cleared when a new TCP client connects.

#include "Faults.h"
#include "Frame.h"

#include <chrono>
#include <functional>
#include <string>
#include <string_view>

class Printer;

// Where the link writes; an implementation may pace the bytes.
class LineOutput {
public:
  virtual ~LineOutput() = default;
  virtual void Send(std::string_view bytes) = 0;
  virtual void Pause(std::chrono::milliseconds duration) = 0;
};

class Link {
public:
  struct Settings {
    int slowMs = 0;           // how long a slow command runs
    bool verbose = false;     // trace frames on standard error
    std::string name;         // the endpoint, for the trace
  };

  Link(Printer& printer, Faults& faults, Settings settings);

  // Called after every command that ran (to save the state).
  void OnCommandRun(std::function<void()> callback) { fOnCommandRun = std::move(callback); }

  void Receive(std::string_view bytes, LineOutput& out);
  // Forgets a half-received frame and the last frame run (a new client).
  void Reset();

private:
  void Answer(const RequestFrame& frame, LineOutput& out);
  std::string Run(const RequestFrame& frame, const FaultDecision& decision, LineOutput& out);
  void SendWaits(int count, LineOutput& out);
  void Trace(const char* direction, std::string_view bytes) const;

  static constexpr std::chrono::milliseconds kWaitInterval{500};
  static constexpr std::chrono::milliseconds kInjectedWaitInterval{100};

  Printer& fPrinter;
  Faults& fFaults;
  Settings fSettings;
  FrameReader fReader;
  std::function<void()> fOnCommandRun;
  bool fHaveLast = false;
  RequestFrame fLast;
  std::string fLastReply;
  bool fAwaitingAck = false;
};
