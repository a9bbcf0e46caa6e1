#pragma once
// The host program's command-line parameters and named switches such as /BATCH.

#include <string>
#include <string_view>
#include <vector>

// The parameters of the running process, without the program name (from /proc/self/cmdline).
std::vector<std::string> GetCommandLineParams();

// The first parameter that, in lower case, equals aName or starts with aName + ":" or
// aName + "=": the whole parameter when aWhole, otherwise what follows the ":" or "=".
// Empty when no parameter matches.
std::string GetParamValue(std::string_view aName, bool aWhole, const std::vector<std::string>& aParams);
std::string GetParamValue(std::string_view aName, bool aWhole);
