#pragma once
// The simulator's event loop: the host endpoints (a pseudo-terminal, a TCP port,
// or both), the control channel, and a wake-up pipe for stopping. Everything runs
// on the thread that calls Run, so the printer needs no lock.
//
// The TCP endpoint serves one client at a time: further clients wait in the
// listen queue until the current one goes away. A client that goes away leaves the
// printer as it was; the next one continues from there.

#include "Link.h"
#include "PseudoTerminal.h"
#include "TcpListener.h"
#include "UniqueFd.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class ControlCommands;
class Faults;
class Printer;

class Server {
public:
  struct Settings {
    std::string tcp;           // HOST:PORT, or empty
    bool pty = false;
    std::string ptyLink;
    std::string control;       // HOST:PORT, or empty
    Link::Settings link;
  };

  // Opens the endpoints; throws std::runtime_error when one cannot be opened.
  Server(Printer& printer, Faults& faults, ControlCommands& control, const Settings& settings);
  ~Server();

  // Called after every command that ran.
  void OnCommandRun(std::function<void()> callback);

  // Serves until Stop.
  void Run();
  // Safe from any thread and from a signal-watching thread.
  void Stop();

  std::string PtyPath() const { return fPty ? fPty->DevicePath() : std::string(); }
  int TcpPort() const { return fTcp ? fTcp->Port() : 0; }
  int ControlPort() const { return fControl ? fControl->Port() : 0; }

private:
  struct ControlClient {
    UniqueFd fd;
    std::string pending;
  };

  void ServePty();
  void AcceptHost();
  void ServeHost();
  void AcceptControl();
  bool ServeControl(ControlClient& client);

  Faults& fFaults;
  ControlCommands& fControlCommands;
  std::unique_ptr<PseudoTerminal> fPty;
  std::unique_ptr<TcpListener> fTcp;
  std::unique_ptr<TcpListener> fControl;
  Link fPtyLink;
  Link fTcpLink;
  UniqueFd fHostClient;
  std::vector<ControlClient> fControlClients;
  UniqueFd fWakeRead, fWakeWrite;
};
