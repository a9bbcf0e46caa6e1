#pragma once
// The whole simulator built from the command line: the printer with its commands,
// its state file, the fault plan, the control commands and the event loop.

#include "ControlCommands.h"
#include "Faults.h"
#include "Options.h"
#include "Paper.h"
#include "Printer.h"
#include "Server.h"
#include "WebServer.h"

#include <memory>
#include <string>

class Simulator {
public:
  // Throws std::runtime_error for an unreadable state file, a bad --fault command or
  // an endpoint that cannot be opened.
  explicit Simulator(const Options& options);
  ~Simulator();

  void Run() { fServer->Run(); }
  void Stop() { fServer->Stop(); }

  // Writes the state file (nothing without --state).
  void SaveState();

  Printer& GetPrinter() { return fPrinter; }
  std::string PtyPath() const { return fServer->PtyPath(); }
  int TcpPort() const { return fServer->TcpPort(); }
  int ControlPort() const { return fServer->ControlPort(); }
  // The web server's port, 0 without --http.
  int HttpPort() const { return fWebServer ? fWebServer->Port() : 0; }

private:
  void SetUpNewPrinter(const Options& options);
  void SetUpPaperAndWebServer(const Options& options);

  std::string fStateFile;
  Printer fPrinter;
  std::unique_ptr<Paper> fPaper;
  std::unique_ptr<WebServer> fWebServer;
  Faults fFaults;
  ControlCommands fControl;
  std::unique_ptr<Server> fServer;
};

// Registers every command the printer understands.
void RegisterAllCommands(Printer& printer);
