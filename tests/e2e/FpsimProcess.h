#pragma once
// The printer simulator fpsim as a child process of a test: started with the
// given options, ready once it says so on its standard error (waited for with a
// bound), killed and reaped when the object goes.

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

class FpsimProcess {
public:
  explicit FpsimProcess(const std::vector<std::string>& aOptions) {
    const std::string program = FPSIM_PATH;
    if (!std::filesystem::exists(program)) throw std::runtime_error(program + " is missing: build the fpsim target");
    int pipeFds[2];
    if (pipe(pipeFds) != 0) throw std::runtime_error("pipe failed");
    std::vector<std::string> args{program};
    args.insert(args.end(), aOptions.begin(), aOptions.end());
    std::vector<char*> argv;
    for (auto& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    fPid = fork();
    if (fPid == 0) {
      dup2(pipeFds[1], STDERR_FILENO);
      const int devNull = ::open("/dev/null", O_WRONLY);
      dup2(devNull, STDOUT_FILENO);   // the paper
      close(pipeFds[0]);
      execv(program.c_str(), argv.data());
      _exit(127);
    }
    close(pipeFds[1]);
    fErr = pipeFds[0];
    if (fPid < 0) throw std::runtime_error("fork failed");
    WaitReady(std::chrono::seconds(10));
  }
  ~FpsimProcess() { Stop(); }
  FpsimProcess(const FpsimProcess&) = delete;
  FpsimProcess& operator=(const FpsimProcess&) = delete;

  void Stop() {
    if (fPid > 0) {
      kill(fPid, SIGKILL);
      waitpid(fPid, nullptr, 0);
      fPid = -1;
    }
    if (fErr >= 0) {
      close(fErr);
      fErr = -1;
    }
  }

  // A value announced on standard error as "fpsim: <key> <value>".
  std::string Announced(const std::string& aKey) const {
    const std::string prefix = "fpsim: " + aKey + " ";
    for (const auto& line : fLines)
      if (line.starts_with(prefix)) return line.substr(prefix.size());
    throw std::runtime_error("fpsim did not announce " + aKey);
  }

private:
  void WaitReady(std::chrono::milliseconds aBound) {
    const auto deadline = std::chrono::steady_clock::now() + aBound;
    std::string pending;
    while (std::chrono::steady_clock::now() < deadline) {
      pollfd fd{fErr, POLLIN, 0};
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
      if (poll(&fd, 1, static_cast<int>(std::max<int64_t>(left.count(), 1))) <= 0) continue;
      char buffer[512];
      const ssize_t got = read(fErr, buffer, sizeof buffer);
      if (got <= 0) break;   // fpsim ended
      pending.append(buffer, static_cast<size_t>(got));
      for (size_t end; (end = pending.find('\n')) != std::string::npos; pending.erase(0, end + 1)) {
        fLines.push_back(pending.substr(0, end));
        if (fLines.back() == "fpsim: ready") return;
      }
    }
    std::string said;
    for (const auto& line : fLines) said += line + "\n";
    throw std::runtime_error("fpsim did not get ready:\n" + said + pending);
  }

  pid_t fPid = -1;
  int fErr = -1;
  std::vector<std::string> fLines;
};
