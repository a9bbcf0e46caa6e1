#pragma once
// The library's version information, read from a version-history string table: numbered
// strings from 10000 on, each "$KEY=value" ($APPDESCRIPTION, $COPYRIGHT, $VERSION,
// $AUTHOR, $RELEASEDATE, $PTEXT, $TEXT).

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/DateTime.h"

// One released version with its change notes.
struct tQN_ApplicationHistory {
  std::string fVersion;
  DateTime fReleaseDate;
  std::string fAuthor;
  std::vector<std::string> fText;
};

// The string with a given identifier, empty when there is none.
using tQN_StringSource = std::function<std::string(int aId)>;

class tQN_ApplicationInfo {
public:
  static constexpr int kFirstStringId = 10000;
  // The scan ends after this many consecutive identifiers without a string.
  static constexpr int kMaxGap = 11;

  // Reads the table from kFirstStringId on. The last $VERSION and $RELEASEDATE win.
  // A release date that is not a valid date throws std::runtime_error; the information
  // read before stays unchanged then.
  void Load(const tQN_StringSource& aSource);

  // "[" + Version + " - " + release date as dd/mm/yyyy + "]".
  std::string VersionString() const;

  std::string fDescription;
  std::string fCopyright;
  std::string fVersion;
  DateTime fReleaseDate;
  std::vector<tQN_ApplicationHistory> fHistory;

private:
  void ApplyEntry(const std::string& aKey, const std::string& aValue);
};

// "dd/mm/yyyy" by position (the separators are not examined); a part that is not a
// number counts as 1. Throws std::runtime_error for a date that does not exist.
DateTime ReadReleaseDate(std::string_view aText);
