#pragma once
// Runs fpsim in the test process on its own thread and talks to it the way a host
// does: over a real TCP connection or pseudo-terminal, with frames built by hand
// here (independently of the simulator's own framing code).

#include "fpsim/Options.h"
#include "fpsim/Simulator.h"

#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <termios.h>
#include <unistd.h>

#include <arpa/inet.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <thread>

namespace fpsim_test {

constexpr char STX = 0x02, ETX = 0x03, ACK = 0x06, NAK = 0x0F, WAIT = 0x11;
constexpr auto kBound = std::chrono::seconds(5);  // longest wait for anything the simulator sends

// "<counter>E<code><data><checksum>" between STX and ETX.
inline std::string Frame(int counter, const std::string& code, const std::string& data) {
  char digits[8];
  std::snprintf(digits, sizeof digits, "%02u", static_cast<unsigned>(counter) % 100);
  const std::string message = std::string(digits) + "E" + code + data;
  unsigned sum = 0;
  for (char c : message) sum += static_cast<unsigned char>(c);
  std::snprintf(digits, sizeof digits, "%02u", sum % 100);
  return std::string(1, STX) + message + digits + ETX;
}

// A reply frame as the driver reads it: payload = everything between STX and ETX.
struct ReplyFrame {
  std::string payload;

  std::string Code() const { return payload.substr(3, 4); }   // FRD 1-4
  std::string Data() const { return payload.substr(7, payload.size() - 9); }
  // RD first-last, 1-based and inclusive like the driver's positions.
  std::string Rd(size_t first, size_t last) const { return Data().substr(first - 1, last - first + 1); }
  bool IsError() const { return payload.substr(3, 3) == "ERR"; }
  int Error() const { return IsError() ? std::stoi(payload.substr(8, 2)) : 0; }
  bool ChecksumOk() const {
    unsigned sum = 0;
    for (size_t i = 0; i + 2 < payload.size(); ++i) sum += static_cast<unsigned char>(payload[i]);
    char digits[8];
    std::snprintf(digits, sizeof digits, "%02u", sum % 100);
    return payload.substr(payload.size() - 2) == digits;
  }
};

// The simulator on a thread of its own; setup runs on the printer before it serves.
class RunningSimulator {
public:
  explicit RunningSimulator(Options options, const std::function<void(Printer&)>& setup = {}) {
    if (options.tcp.empty() && !options.pty) options.tcp = "127.0.0.1:0";
    if (options.control.empty()) options.control = "127.0.0.1:0";
    fSimulator = std::make_unique<Simulator>(options);
    if (setup) setup(fSimulator->GetPrinter());
    fThread = std::thread([this] { fSimulator->Run(); });
  }
  RunningSimulator(const RunningSimulator&) = delete;
  RunningSimulator& operator=(const RunningSimulator&) = delete;
  ~RunningSimulator() { Shutdown(); }

  // Stops serving; the printer may then be inspected from the test thread.
  void Shutdown() {
    if (!fThread.joinable()) return;
    fSimulator->Stop();
    fThread.join();
  }

  Simulator& Sim() { return *fSimulator; }

private:
  std::unique_ptr<Simulator> fSimulator;
  std::thread fThread;
};

// One end of a byte stream to the simulator (TCP socket or pseudo-terminal device).
class HostLine {
public:
  static HostLine Tcp(int port) {
    HostLine line(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0));
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::connect(line.fFd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0)
      throw std::runtime_error("cannot connect to the simulator");
    const int on = 1;
    ::setsockopt(line.fFd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    return line;
  }

  // Opens the device and sets it raw, as the driver's serial port does.
  static HostLine Pty(const std::string& path) {
    HostLine line(::open(path.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC));
    if (line.fFd < 0) throw std::runtime_error("cannot open " + path);
    termios settings{};
    ::tcgetattr(line.fFd, &settings);
    ::cfmakeraw(&settings);
    ::tcsetattr(line.fFd, TCSANOW, &settings);
    return line;
  }

  HostLine(HostLine&& other) noexcept : fFd(other.fFd), fPending(std::move(other.fPending)) { other.fFd = -1; }
  HostLine(const HostLine&) = delete;
  HostLine& operator=(const HostLine&) = delete;
  ~HostLine() {
    if (fFd >= 0) ::close(fFd);
  }

  void Write(const std::string& bytes) {
    size_t sent = 0;
    while (sent < bytes.size()) {
      const ssize_t n = ::write(fFd, bytes.data() + sent, bytes.size() - sent);
      if (n <= 0) throw std::runtime_error("write to the simulator failed");
      sent += static_cast<size_t>(n);
    }
  }

  // The next byte, or -1 when none arrives within the bound.
  int ReadByte() {
    if (fPending.empty() && !Fill()) return -1;
    const auto c = static_cast<unsigned char>(fPending[0]);
    fPending.erase(0, 1);
    return c;
  }

  // Everything up to and including the next byte for which stop is true; throws
  // when the bound passes first.
  std::string ReadUntil(const std::function<bool(char)>& stop) {
    std::string bytes;
    for (;;) {
      const int c = ReadByte();
      if (c < 0) throw std::runtime_error("the simulator sent nothing more; got so far: " + Printable(bytes));
      bytes += static_cast<char>(c);
      if (stop(static_cast<char>(c))) return bytes;
    }
  }

  // Reads a whole reply: the bytes before STX (handshake) go to handshake.
  ReplyFrame ReadReply(std::string* handshake = nullptr) {
    const std::string before = ReadUntil([](char c) { return c == STX; });
    if (handshake) *handshake = before.substr(0, before.size() - 1);
    const std::string rest = ReadUntil([](char c) { return c == ETX; });
    return ReplyFrame{rest.substr(0, rest.size() - 1)};
  }

  // Sends a frame, expects ACK and the reply, acknowledges it.
  ReplyFrame Exchange(int counter, const std::string& code, const std::string& data = {}) {
    Write(Frame(counter, code, data));
    std::string handshake;
    ReplyFrame reply = ReadReply(&handshake);
    std::string expected(1, ACK);
    if (handshake != expected && handshake != expected + WAIT)
      throw std::runtime_error("unexpected handshake " + Printable(handshake) + " for " + code);
    Write(std::string(1, ACK));
    return reply;
  }

  static std::string Printable(const std::string& bytes) {
    std::string shown;
    for (char c : bytes) {
      if (c >= 0x20 && c < 0x7F) {
        shown += c;
      } else {
        char hex[8];
        std::snprintf(hex, sizeof hex, "<%02X>", static_cast<unsigned char>(c));
        shown += hex;
      }
    }
    return shown;
  }

private:
  explicit HostLine(int fd) : fFd(fd) {}

  bool Fill() {
    pollfd ready{fFd, POLLIN, 0};
    const auto timeout = std::chrono::duration_cast<std::chrono::milliseconds>(kBound).count();
    if (::poll(&ready, 1, static_cast<int>(timeout)) <= 0) return false;
    char buffer[512];
    const ssize_t n = ::read(fFd, buffer, sizeof buffer);
    if (n <= 0) return false;
    fPending.append(buffer, static_cast<size_t>(n));
    return true;
  }

  int fFd = -1;
  std::string fPending;
};

// A control channel client: sends one command, returns the answer line.
class ControlLine {
public:
  explicit ControlLine(int port) : fLine(HostLine::Tcp(port)) {}

  std::string Run(const std::string& command) {
    fLine.Write(command + "\n");
    std::string answer = fLine.ReadUntil([](char c) { return c == '\n'; });
    answer.pop_back();
    return answer;
  }

private:
  HostLine fLine;
};

}  // namespace fpsim_test
