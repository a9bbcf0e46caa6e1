#pragma once
// Scripts of commands run in one process, so that the handle of an OPEN carries
// over to the commands after it.
//
// One command per line: COMMAND ARGUMENT. ARGUMENT is a request file, relative to
// the script's folder, or "-" for standard input; for VERSION it is the driver
// name. A "!" before the command marks a command that is expected to fail. Blank
// lines and lines starting with "#" are skipped. In request files "{HANDLE}" is
// replaced by the handle of the last OPEN that returned one (0 before that).

#include <filesystem>
#include <iosfwd>
#include <string>
#include <vector>

class DriverLibrary;
struct CommandResult;

struct ScriptStep {
  int LineNumber = 0;
  bool ExpectFailure = false;
  std::string Command;
  std::string Argument;
};

// Throws std::runtime_error naming the line of a malformed step.
std::vector<ScriptStep> ParseScript(std::istream& aScript);

struct RunOptions {
  bool KeepGoing = false;  // run on after an unexpected outcome
};

class ScriptRunner {
public:
  ScriptRunner(const DriverLibrary& aLibrary, std::ostream& aOut, std::filesystem::path aBaseFolder);

  // Runs one step and prints it; true when the outcome is the expected one.
  bool Run(const ScriptStep& aStep);
  // Runs the steps in order; stops at the first unexpected outcome unless
  // aOptions.KeepGoing. True when every step that ran had its expected outcome.
  bool RunAll(const std::vector<ScriptStep>& aSteps, const RunOptions& aOptions);

private:
  std::string RequestOf(const ScriptStep& aStep) const;
  void Print(const ScriptStep& aStep, const CommandResult& aResult, bool aExpected) const;

  const DriverLibrary& fLibrary;
  std::ostream& fOut;
  std::filesystem::path fBaseFolder;
  std::string fHandle = "0";
};

// Handle element of an OPEN fragment; empty when absent or not positive.
std::string HandleOf(const std::string& aFragment);
// The whole of a file, or of standard input for "-"; throws std::runtime_error.
std::string ReadRequestFile(const std::filesystem::path& aPath);
