#include "runtime/VersionHistory.h"

#include <iterator>

#include "runtime/tQN_ApplicationInfo.h"

namespace {

// Newest version last: the last $VERSION and $RELEASEDATE become the library's version.
const char* const kVersionHistory[] = {
    "$APPDESCRIPTION=QNRP_REZIDAZE_10: open-source driver library for Epson RT and MF fiscal printers",
    "$VERSION=1.00",
    "$AUTHOR=QNRP project",
    "$RELEASEDATE=10/12/2026",
    "$PTEXT=First release for Linux and other POSIX systems.",
    "$PTEXT=The 22 commands of the library take an XML request and answer with an XML result fragment.",
    "$PTEXT=Epson native protocol over serial lines and TCP; daily-closing data from the printer's web server.",
    "$PTEXT=Receipts signed through an RT-server driver library.",
    "$PTEXT=Asynchronous trace files per device, rotated past 5000 KiB.",
};

}  // namespace

std::string LoadVersionHistoryString(int aId) {
  int index = aId - tQN_ApplicationInfo::kFirstStringId;
  if (index < 0 || index >= static_cast<int>(std::size(kVersionHistory))) return {};
  return kVersionHistory[index];
}
