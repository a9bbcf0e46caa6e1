#include "Simulator.h"

#include "ClosingPublisher.h"
#include "CoreCommands.h"
#include "FiscalCommands.h"
#include "ReportCommands.h"

#include <filesystem>
#include <iostream>

void RegisterAllCommands(Printer& printer) {
  RegisterStatusCommands(printer);
  RegisterTableCommands(printer);
  RegisterDeviceCommands(printer);
  RegisterNonFiscalCommands(printer);
  RegisterFiscalCommands(printer);
  RegisterReportCommands(printer);
}

Simulator::Simulator(const Options& options)
    : fStateFile(options.stateFile),
      fFaults(options.seed),
      fControl(fPrinter, fFaults, [this] { SaveState(); }) {
  RegisterAllCommands(fPrinter);
  if (!fStateFile.empty() && std::filesystem::exists(fStateFile)) {
    StateReader reader(ReadWholeFile(fStateFile));
    fPrinter.state.Serialize(reader);
  } else {
    SetUpNewPrinter(options);
  }
  for (const std::string& fault : options.faults) fControl.RunOrThrow(fault);
  SetUpPaperAndWebServer(options);

  Server::Settings settings;
  settings.tcp = options.tcp;
  settings.pty = options.pty;
  settings.ptyLink = options.ptyLink;
  settings.control = options.control;
  settings.link.slowMs = options.slowMs;
  settings.link.verbose = options.verbose;
  fServer = std::make_unique<Server>(fPrinter, fFaults, fControl, settings);
  fServer->OnCommandRun([this] { SaveState(); });
  SaveState();
}

Simulator::~Simulator() = default;

void Simulator::SaveState() {
  if (fStateFile.empty()) return;
  StateWriter writer;
  fPrinter.state.Serialize(writer);
  WriteFileAtomically(fStateFile, writer.Contents());
}

void Simulator::SetUpNewPrinter(const Options& options) {
  PrinterState& state = fPrinter.state;
  if (!options.mode.empty()) state.fiscalMode = options.mode;
  if (state.fiscalMode == "MF") state.firmware = "1.00";
  if (!options.firmware.empty()) state.firmware = options.firmware;
  if (!options.serial.empty()) state.serialNumber = options.serial;
}

void Simulator::SetUpPaperAndWebServer(const Options& options) {
  fPaper = options.paperFile.empty() ? std::make_unique<Paper>(std::cout) : std::make_unique<Paper>(options.paperFile);
  fPaper->FollowWidth([this] { return fPrinter.state.Columns(); });
  fPrinter.SetPaper(fPaper.get());
  if (options.http.empty()) {
    if (!options.httpAuth.empty()) throw std::runtime_error("Option --http-auth needs --http HOST:PORT");
    return;
  }
  WebServerSettings settings = ParseHttpAddress(options.http);
  if (!options.httpAuth.empty()) {
    if (options.httpUser.empty()) throw std::runtime_error("Option --http-auth needs --http-user");
    settings.auth = options.httpAuth == "basic" ? HttpAuth::Basic : HttpAuth::Digest;
    settings.user = options.httpUser;
    settings.password = options.httpPassword;
  }
  fWebServer = std::make_unique<WebServer>(settings);
  PublishClosings(fPrinter, *fWebServer, ClosingPublication{options.httpZReportText, options.httpFolder});
}
