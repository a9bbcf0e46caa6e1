#include "runtime/tQN_Setup.h"

#include "runtime/Text.h"

size_t tQN_Setup::IndexOf(std::string_view aName) const {
  size_t index = 0;
  while (index < fList.size() && !EqualsIgnoreCaseAscii(fList[index].fName, aName)) ++index;
  return index;
}

void tQN_Setup::SetValue(std::string_view aName, std::string aValue) {
  size_t index = IndexOf(aName);
  if (index < fList.size()) {
    fList[index].fValue = std::move(aValue);
  } else {
    fList.push_back({std::string(aName), std::move(aValue)});
  }
}

std::string tQN_Setup::GetValue(std::string_view aName) const {
  size_t index = IndexOf(aName);
  return index < fList.size() ? fList[index].fValue : std::string();
}
