// fpsim: a fiscal printer simulator for developing and testing without a printer.

#include "ControlCommands.h"
#include "Options.h"
#include "Simulator.h"

#include <csignal>
#include <cstdio>
#include <exception>
#include <thread>

namespace {

// Stops the simulator on SIGINT or SIGTERM. The signals are blocked in every thread
// and taken by this thread with sigwait, so no handler touches the simulator.
class SignalWatcher {
public:
  explicit SignalWatcher(Simulator& simulator) {
    sigemptyset(&fSignals);
    sigaddset(&fSignals, SIGINT);
    sigaddset(&fSignals, SIGTERM);
    sigaddset(&fSignals, SIGUSR1);  // used to end the watcher itself
    pthread_sigmask(SIG_BLOCK, &fSignals, nullptr);
    fThread = std::thread([this, &simulator] {
      int signal = 0;
      sigwait(&fSignals, &signal);
      if (signal != SIGUSR1) simulator.Stop();
    });
  }
  ~SignalWatcher() {
    pthread_kill(fThread.native_handle(), SIGUSR1);
    fThread.join();
  }

private:
  sigset_t fSignals;
  std::thread fThread;
};

void Announce(const Options& options, const Simulator& simulator) {
  if (options.pty) std::fprintf(stderr, "fpsim: pty %s\n", simulator.PtyPath().c_str());
  if (!options.ptyLink.empty()) std::fprintf(stderr, "fpsim: link %s\n", options.ptyLink.c_str());
  if (!options.tcp.empty()) std::fprintf(stderr, "fpsim: tcp port %d\n", simulator.TcpPort());
  if (!options.control.empty()) std::fprintf(stderr, "fpsim: control port %d\n", simulator.ControlPort());
  if (!options.http.empty()) std::fprintf(stderr, "fpsim: http port %d\n", simulator.HttpPort());
  std::fprintf(stderr, "fpsim: ready\n");
}

}  // namespace

int main(int argc, char** argv) {
  try {
    const Options options = ParseOptions(argc, argv);
    if (options.help) {
      std::fputs((HelpText() + "\nControl commands (--fault and the control channel):\n" + ControlCommands::HelpText())
                     .c_str(),
                 stdout);
      return 0;
    }
    if (options.tcp.empty() && !options.pty)
      throw std::runtime_error("Nothing to listen on: give --pty, --tcp HOST:PORT or both (see --help)");
    Simulator simulator(options);
    {
      SignalWatcher watcher(simulator);
      Announce(options, simulator);
      simulator.Run();
    }
    simulator.SaveState();
    return 0;
  } catch (const std::exception& error) {
    std::fprintf(stderr, "fpsim: %s\n", error.what());
    return 2;
  }
}
