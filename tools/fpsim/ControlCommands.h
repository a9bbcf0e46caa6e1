#pragma once
// The control language of fpsim: one command per line, from the control channel or
// from --fault at start. Each answers one line: "OK" with optional text, or "ERR"
// and the reason.

#include <functional>
#include <string>

class Printer;
class Faults;

class ControlCommands {
public:
  ControlCommands(Printer& printer, Faults& faults, std::function<void()> saveState);

  // Runs one command and saves the state after it. The answer is one line, except
  // for "help", whose lines come before its "OK" line.
  std::string Run(const std::string& line);
  // Like Run, but throws std::runtime_error instead of answering "ERR".
  void RunOrThrow(const std::string& line);

  // The commands and what they do, for --help and the "help" command.
  static std::string HelpText();

private:
  std::string Execute(const std::string& line);

  Printer& fPrinter;
  Faults& fFaults;
  std::function<void()> fSaveState;
};
