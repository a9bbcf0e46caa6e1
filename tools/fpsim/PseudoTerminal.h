#pragma once
// The pseudo-terminal the host opens as its serial port. The simulator keeps the
// device side open itself, so a host that closes and reopens the device finds the
// printer still there, and sets it to raw mode, so nothing is echoed or translated
// before the host sets its own line settings.

#include "UniqueFd.h"

#include <string>

class PseudoTerminal {
public:
  // Throws std::runtime_error when the pseudo-terminal or the link cannot be made.
  // An existing symbolic link at linkPath is replaced; any other file there is an error.
  explicit PseudoTerminal(const std::string& linkPath = {});
  PseudoTerminal(const PseudoTerminal&) = delete;
  PseudoTerminal& operator=(const PseudoTerminal&) = delete;
  ~PseudoTerminal();

  int Fd() const { return fMaster.Get(); }
  const std::string& DevicePath() const { return fDevicePath; }
  const std::string& LinkPath() const { return fLinkPath; }

private:
  UniqueFd fMaster;
  UniqueFd fDevice;
  std::string fDevicePath;
  std::string fLinkPath;
};
