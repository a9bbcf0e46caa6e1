// fpcli: runs commands of the fiscal printer driver library the way a
// cash-register application does (see Usage below).

#include <fstream>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "DriverLibrary.h"
#include "Script.h"

namespace {

constexpr const char* kUsage = R"(Usage:
  fpcli [options] COMMAND REQUEST   run one command; REQUEST is a request file, or - for
                                    standard input (for VERSION: the driver name)
  fpcli [options] --script FILE     run a script of commands in one process (- reads
                                    the script from standard input)

COMMAND is one of the library's exports: OPEN CLOSE GETSTATUS PRINTFR REPRINTFR
PRINTNFR PRINTXR PRINTZR EJREPORT GETEJFILES DISPLAY OPENDR GETDRSTATUS SET
SETDATETIME GETVATTABLE SETVATTABLE GETDEPTTABLE SETDEPTTABLE PAY
GETLOTTERYRCPTSTATUS VERSION (any letter case).

Options:
  --library PATH    the library to load; default: $QNRP_LIBRARY, else
                    libQNRP_REZIDAZE_10.so next to fpcli, else the loader's search path
  --keep-going      in a script, run on after a command with an unexpected outcome
  --expect-failure  for one command: succeed when the command fails
  -h, --help        this text

Script format: one command per line, "COMMAND REQUEST", REQUEST relative to the
script's folder; "VERSION DRIVER" for the version. A "!" before the command marks
a command that is expected to fail ("!GETSTATUS status.xml"). Blank lines and
lines starting with # are skipped. In request files {HANDLE} is replaced by the
handle of the last OPEN that returned one (0 before the first).

Output: for every command the line ">>> COMMAND REQUEST", the result fragment, the
error text and the result code.

Exit status: 0 when every command had its expected outcome (success, or failure
where one was expected); 1 when one did not; 2 for usage errors and when the
library cannot be loaded.
)";

struct Arguments {
  std::string Library;
  std::optional<std::string> ScriptFile;
  bool KeepGoing = false;
  bool ExpectFailure = false;
  bool Help = false;
  std::vector<std::string> Positional;
};

// Throws std::runtime_error for an unknown option or a missing value.
Arguments ParseArguments(int argc, char** argv) {
  Arguments args;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const auto value = [&]() -> std::string {
      if (i + 1 >= argc) throw std::runtime_error(arg + " needs a value");
      return argv[++i];
    };
    if (arg == "-h" || arg == "--help") args.Help = true;
    else if (arg == "--library") args.Library = value();
    else if (arg == "--script") args.ScriptFile = value();
    else if (arg == "--keep-going") args.KeepGoing = true;
    else if (arg == "--expect-failure") args.ExpectFailure = true;
    else if (arg.size() > 1 && arg.front() == '-' && arg != "-") throw std::runtime_error("unknown option " + arg);
    else args.Positional.push_back(arg);
  }
  if (args.Help) return args;
  if (args.ScriptFile ? !args.Positional.empty() : args.Positional.size() != 2)
    throw std::runtime_error("give either COMMAND REQUEST or --script FILE");
  return args;
}

std::vector<ScriptStep> StepsOf(const Arguments& aArgs) {
  if (!aArgs.ScriptFile) {
    ScriptStep step{0, aArgs.ExpectFailure, DriverLibrary::CommandName(aArgs.Positional[0]), aArgs.Positional[1]};
    if (step.Command.empty()) throw std::runtime_error("unknown command " + aArgs.Positional[0]);
    return {step};
  }
  if (*aArgs.ScriptFile == "-") return ParseScript(std::cin);
  std::ifstream script(*aArgs.ScriptFile);
  if (!script) throw std::runtime_error("cannot read " + *aArgs.ScriptFile);
  return ParseScript(script);
}

std::filesystem::path BaseFolderOf(const Arguments& aArgs) {
  if (!aArgs.ScriptFile || *aArgs.ScriptFile == "-") return std::filesystem::current_path();
  return std::filesystem::absolute(*aArgs.ScriptFile).parent_path();
}

}  // namespace

int main(int argc, char** argv) {
  Arguments args;
  std::vector<ScriptStep> steps;
  try {
    args = ParseArguments(argc, argv);
    if (args.Help) {
      std::cout << kUsage;
      return 0;
    }
    steps = StepsOf(args);
  } catch (const std::exception& e) {
    std::cerr << "fpcli: " << e.what() << "\n\n" << kUsage;
    return 2;
  }
  try {
    const DriverLibrary library(DriverLibrary::Locate(args.Library));
    ScriptRunner runner(library, std::cout, BaseFolderOf(args));
    return runner.RunAll(steps, RunOptions{args.KeepGoing}) ? 0 : 1;
  } catch (const std::exception& e) {
    std::cerr << "fpcli: " << e.what() << '\n';
    return 2;
  }
}
