#pragma once
// The command line of fpsim. Every option is one row of the option table in
// Options.cpp (name, argument, help text, what it sets), which also produces --help.

#include <cstdint>
#include <string>
#include <vector>

struct Options {
  // Link
  std::string tcp;              // HOST:PORT to listen on
  bool pty = false;             // create a pseudo-terminal
  std::string ptyLink;          // symbolic link to the pseudo-terminal's device, optional
  std::string control;          // HOST:PORT of the control channel
  int slowMs = 0;               // how long a slow command runs (WAIT every 500 ms)
  bool verbose = false;         // trace every frame on standard error

  // Printer
  std::string stateFile;        // loaded at start when it exists, saved after every command
  std::string mode;             // "RT" or "MF" for a new printer
  std::string serial;
  std::string firmware;
  std::vector<std::string> faults;  // control commands run at start
  uint32_t seed = 1;

  // Paper and web server
  std::string paperFile;        // empty: standard output
  std::string http;             // HOST:PORT of the web server; empty: none
  std::string httpAuth;         // "", "basic" or "digest"
  std::string httpUser;
  std::string httpPassword;
  bool httpZReportText = false; // also publish the Z report text of each closing
  std::string httpFolder;       // "": the day's folder; "da-inviare" or "rifiutati"

  bool help = false;
};

// Throws std::runtime_error with a message naming the bad option or argument.
Options ParseOptions(int argc, const char* const* argv);
std::string HelpText();
