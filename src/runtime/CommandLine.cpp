#include "runtime/CommandLine.h"

#include <fstream>

#include "runtime/Text.h"

std::vector<std::string> GetCommandLineParams() {
  std::ifstream file("/proc/self/cmdline", std::ios::binary);
  std::vector<std::string> params;
  std::string param;
  while (std::getline(file, param, '\0')) params.push_back(param);
  if (!params.empty()) params.erase(params.begin());  // the program name
  return params;
}

std::string GetParamValue(std::string_view aName, bool aWhole, const std::vector<std::string>& aParams) {
  const std::string name = ToLowerAscii(aName);
  for (const std::string& param : aParams) {
    const std::string lower = ToLowerAscii(param);
    bool exact = lower == name;
    if (!exact && !lower.starts_with(name + ":") && !lower.starts_with(name + "=")) continue;
    if (aWhole) return param;
    return exact ? std::string() : param.substr(name.size() + 1);
  }
  return {};
}

std::string GetParamValue(std::string_view aName, bool aWhole) {
  return GetParamValue(aName, aWhole, GetCommandLineParams());
}
