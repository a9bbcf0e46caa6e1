// fpsim: a fiscal printer simulator for developing and testing without a printer.

#include "Options.h"

#include <cstdio>
#include <exception>

int main(int argc, char** argv) {
  try {
    const Options options = ParseOptions(argc, argv);
    if (options.help) {
      std::fputs(HelpText().c_str(), stdout);
      return 0;
    }
    return 0;
  } catch (const std::exception& error) {
    std::fprintf(stderr, "fpsim: %s\n", error.what());
    return 2;
  }
}
