#include "runtime/tQN_ApplicationInfo.h"

#include "runtime/Convert.h"
#include "runtime/FieldFormat.h"
#include "runtime/Text.h"

namespace {

int DatePart(std::string_view text, size_t position, size_t length) {
  int32_t value = 1;
  std::string_view part = position < text.size() ? text.substr(position, length) : std::string_view();
  return TryStrToInt32(part, value) ? value : 1;
}

}  // namespace

DateTime ReadReleaseDate(std::string_view aText) {
  return DateTime::Encode(DatePart(aText, 6, 4), DatePart(aText, 3, 2), DatePart(aText, 0, 2));
}

void tQN_ApplicationInfo::Load(const tQN_StringSource& aSource) {
  tQN_ApplicationInfo loaded;
  for (int id = kFirstStringId, gaps = 0; gaps < kMaxGap; ++id) {
    std::string entry = aSource(id);
    if (entry.empty()) {
      ++gaps;
      continue;
    }
    gaps = 0;
    loaded.ApplyEntry(ToUpperAscii(ExtractToken(entry, 1, '=')), ExtractToken(entry, 2, '=', true));
  }
  *this = std::move(loaded);
}

void tQN_ApplicationInfo::ApplyEntry(const std::string& aKey, const std::string& aValue) {
  if (aKey == "$APPDESCRIPTION") {
    fDescription = aValue;
  } else if (aKey == "$COPYRIGHT") {
    fCopyright = aValue;
  } else if (aKey == "$VERSION") {
    fVersion = aValue;
    fHistory.push_back({aValue, DateTime(), {}, {}});
  } else if (fHistory.empty()) {
    return;  // the remaining keys belong to a version
  } else if (aKey == "$AUTHOR") {
    fHistory.back().fAuthor = aValue;
  } else if (aKey == "$RELEASEDATE") {
    fReleaseDate = fHistory.back().fReleaseDate = ReadReleaseDate(aValue);
  } else if (aKey == "$PTEXT" || aKey == "$TEXT") {
    fHistory.back().fText.push_back(aValue);
  }
}

std::string tQN_ApplicationInfo::VersionString() const {
  return "[" + fVersion + " - " + fReleaseDate.ToShortDate() + "]";
}
