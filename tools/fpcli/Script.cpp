#include "Script.h"

#include <fstream>
#include <iostream>
#include <sstream>
#include <stdexcept>

#include "DriverLibrary.h"

namespace {

std::string Trim(const std::string& aText) {
  const auto first = aText.find_first_not_of(" \t\r");
  if (first == std::string::npos) return {};
  return aText.substr(first, aText.find_last_not_of(" \t\r") - first + 1);
}

void ReplaceAll(std::string& aText, const std::string& aWhat, const std::string& aWith) {
  for (auto pos = aText.find(aWhat); pos != std::string::npos; pos = aText.find(aWhat, pos + aWith.size()))
    aText.replace(pos, aWhat.size(), aWith);
}

}  // namespace

std::vector<ScriptStep> ParseScript(std::istream& aScript) {
  std::vector<ScriptStep> steps;
  std::string line;
  for (int number = 1; std::getline(aScript, line); ++number) {
    line = Trim(line);
    if (line.empty() || line.front() == '#') continue;
    ScriptStep step;
    step.LineNumber = number;
    if (line.front() == '!') {
      step.ExpectFailure = true;
      line = Trim(line.substr(1));
    }
    const auto blank = line.find_first_of(" \t");
    const std::string command = line.substr(0, blank);
    step.Command = DriverLibrary::CommandName(command);
    step.Argument = blank == std::string::npos ? std::string() : Trim(line.substr(blank));
    if (step.Command.empty())
      throw std::runtime_error("line " + std::to_string(number) + ": unknown command " + command);
    if (step.Argument.empty())
      throw std::runtime_error("line " + std::to_string(number) + ": " + step.Command + " needs a request file");
    steps.push_back(std::move(step));
  }
  return steps;
}

std::string ReadRequestFile(const std::filesystem::path& aPath) {
  std::ostringstream content;
  if (aPath == "-") {
    content << std::cin.rdbuf();
    return content.str();
  }
  std::ifstream file(aPath, std::ios::binary);
  if (!file) throw std::runtime_error("cannot read " + aPath.string());
  content << file.rdbuf();
  return content.str();
}

std::string HandleOf(const std::string& aFragment) {
  const std::string open = "<Handle>";
  const auto start = aFragment.find(open);
  if (start == std::string::npos) return {};
  const auto end = aFragment.find("</Handle>", start);
  if (end == std::string::npos) return {};
  const std::string handle = aFragment.substr(start + open.size(), end - start - open.size());
  if (handle.empty() || handle.find_first_not_of("0123456789") != std::string::npos ||
      handle.find_first_not_of('0') == std::string::npos)
    return {};
  return handle;
}

ScriptRunner::ScriptRunner(const DriverLibrary& aLibrary, std::ostream& aOut, std::filesystem::path aBaseFolder)
    : fLibrary(aLibrary), fOut(aOut), fBaseFolder(std::move(aBaseFolder)) {}

std::string ScriptRunner::RequestOf(const ScriptStep& aStep) const {
  if (aStep.Command == "VERSION") return aStep.Argument;
  const std::filesystem::path file(aStep.Argument);
  std::string request = ReadRequestFile(file == "-" || file.is_absolute() ? file : fBaseFolder / file);
  ReplaceAll(request, "{HANDLE}", fHandle);
  return request;
}

bool ScriptRunner::Run(const ScriptStep& aStep) {
  const CommandResult result = fLibrary.Call(aStep.Command, RequestOf(aStep));
  if (const std::string handle = HandleOf(result.Output); !handle.empty()) fHandle = handle;
  const bool expected = (result.Code != 0) == aStep.ExpectFailure;
  Print(aStep, result, expected);
  return expected;
}

bool ScriptRunner::RunAll(const std::vector<ScriptStep>& aSteps, const RunOptions& aOptions) {
  bool allExpected = true;
  for (const ScriptStep& step : aSteps) {
    bool expected = false;
    try {
      expected = Run(step);
    } catch (const std::exception& e) {
      fOut << ">>> " << step.Command << ' ' << step.Argument << "\nfpcli: " << e.what() << "\n\n";
    }
    allExpected = allExpected && expected;
    if (!expected && !aOptions.KeepGoing) break;
  }
  return allExpected;
}

void ScriptRunner::Print(const ScriptStep& aStep, const CommandResult& aResult, bool aExpected) const {
  std::string fragment = aResult.Output;
  ReplaceAll(fragment, "\r\n", "\n");
  fOut << ">>> " << (aStep.ExpectFailure ? "!" : "") << aStep.Command << ' ' << aStep.Argument << '\n';
  if (!fragment.empty()) fOut << fragment << '\n';
  fOut << "Error text: " << (aResult.ErrorMessage.empty() ? "(none)" : aResult.ErrorMessage) << '\n';
  fOut << "Result: " << aResult.Code;
  if (!aExpected) fOut << (aStep.ExpectFailure ? "  (expected a failure)" : "  (failed)");
  fOut << "\n\n";
}
