#include "PseudoTerminal.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <termios.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

namespace {

[[noreturn]] void Fail(const std::string& what) {
  throw std::runtime_error(what + ": " + std::strerror(errno));
}

}  // namespace

PseudoTerminal::PseudoTerminal(const std::string& linkPath) {
  fMaster = UniqueFd(::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK));
  if (!fMaster.Valid()) Fail("Cannot create a pseudo-terminal");
  if (::grantpt(fMaster.Get()) != 0 || ::unlockpt(fMaster.Get()) != 0) Fail("Cannot unlock the pseudo-terminal");
  char name[128];
  if (::ptsname_r(fMaster.Get(), name, sizeof name) != 0) Fail("Cannot name the pseudo-terminal");
  fDevicePath = name;
  fDevice = UniqueFd(::open(name, O_RDWR | O_NOCTTY));
  if (!fDevice.Valid()) Fail("Cannot open " + fDevicePath);
  termios settings{};
  if (::tcgetattr(fDevice.Get(), &settings) != 0) Fail("Cannot read the settings of " + fDevicePath);
  ::cfmakeraw(&settings);
  if (::tcsetattr(fDevice.Get(), TCSANOW, &settings) != 0) Fail("Cannot set raw mode on " + fDevicePath);

  if (linkPath.empty()) return;
  struct stat existing{};
  if (::lstat(linkPath.c_str(), &existing) == 0) {
    if (!S_ISLNK(existing.st_mode)) throw std::runtime_error(linkPath + " exists and is not a symbolic link");
    if (::unlink(linkPath.c_str()) != 0) Fail("Cannot replace " + linkPath);
  }
  if (::symlink(fDevicePath.c_str(), linkPath.c_str()) != 0) Fail("Cannot create the link " + linkPath);
  fLinkPath = linkPath;
}

PseudoTerminal::~PseudoTerminal() {
  if (!fLinkPath.empty()) ::unlink(fLinkPath.c_str());
}
