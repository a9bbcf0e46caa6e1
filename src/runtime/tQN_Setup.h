#pragma once
// A named settings store: names match case-insensitively, entries keep their insertion order.

#include <string>
#include <string_view>
#include <vector>

struct tQN_SetupEntry {
  std::string fName;
  std::string fValue;  // empty when defined without a value
};

class tQN_Setup {
public:
  void Define(std::string_view aName) { SetValue(aName, {}); }
  // Replaces the value of an existing entry or appends a new one.
  void SetValue(std::string_view aName, std::string aValue);
  // The value, or an empty text when there is no such entry.
  std::string GetValue(std::string_view aName) const;
  const std::vector<tQN_SetupEntry>& Entries() const { return fList; }

private:
  // Position of the entry named aName, fList.size() when there is none.
  size_t IndexOf(std::string_view aName) const;

  std::vector<tQN_SetupEntry> fList;
};
