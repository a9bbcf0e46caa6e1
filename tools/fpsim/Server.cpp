#include "Server.h"

#include "ControlCommands.h"
#include "Faults.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <thread>

namespace {

constexpr int kWriteTimeoutMs = 2000;
constexpr size_t kMaxControlLine = 4096;

// Writes to a descriptor, at full speed or paced at the fault plan's baud rate.
// A peer that does not take the bytes within the write time-out is given up.
class FdOutput : public LineOutput {
public:
  FdOutput(int fd, bool socket, const Faults& faults) : fFd(fd), fSocket(socket), fFaults(faults) {}

  void Send(std::string_view bytes) override {
    const int baud = fFaults.Baud();
    if (baud <= 0) {
      Write(bytes);
      return;
    }
    const auto perByte = std::chrono::microseconds(10'000'000 / baud);  // start, 8 data and stop bits
    for (char c : bytes) {
      Write(std::string_view(&c, 1));
      std::this_thread::sleep_for(perByte);
    }
  }

  void Pause(std::chrono::milliseconds duration) override { std::this_thread::sleep_for(duration); }

  bool Broken() const { return fBroken; }

private:
  void Write(std::string_view bytes) {
    while (!bytes.empty() && !fBroken) {
      pollfd ready{fFd, POLLOUT, 0};
      if (::poll(&ready, 1, kWriteTimeoutMs) <= 0) {
        fBroken = true;
        return;
      }
      const ssize_t written = fSocket ? ::send(fFd, bytes.data(), bytes.size(), MSG_NOSIGNAL)
                                      : ::write(fFd, bytes.data(), bytes.size());
      if (written < 0 && (errno == EAGAIN || errno == EINTR)) continue;
      if (written <= 0) {
        fBroken = true;
        return;
      }
      bytes.remove_prefix(static_cast<size_t>(written));
    }
  }

  int fFd;
  bool fSocket;
  const Faults& fFaults;
  bool fBroken = false;
};

// Reads what is there; false when the peer has gone or the read failed.
bool ReadAvailable(int fd, std::string& bytes) {
  char buffer[4096];
  const ssize_t count = ::read(fd, buffer, sizeof buffer);
  if (count < 0 && (errno == EAGAIN || errno == EINTR)) return true;
  if (count <= 0) return false;
  bytes.assign(buffer, static_cast<size_t>(count));
  return true;
}

void SendLine(int fd, const std::string& line) {
  const std::string text = line + "\n";
  size_t sent = 0;
  while (sent < text.size()) {
    const ssize_t count = ::send(fd, text.data() + sent, text.size() - sent, MSG_NOSIGNAL);
    if (count < 0 && errno == EINTR) continue;
    if (count <= 0) return;
    sent += static_cast<size_t>(count);
  }
}

Link::Settings Named(Link::Settings settings, const char* name) {
  settings.name = name;
  return settings;
}

}  // namespace

Server::Server(Printer& printer, Faults& faults, ControlCommands& control, const Settings& settings)
    : fFaults(faults),
      fControlCommands(control),
      fPtyLink(printer, faults, Named(settings.link, "pty")),
      fTcpLink(printer, faults, Named(settings.link, "tcp")) {
  if (settings.pty) fPty = std::make_unique<PseudoTerminal>(settings.ptyLink);
  if (!settings.tcp.empty()) fTcp = std::make_unique<TcpListener>(settings.tcp);
  if (!settings.control.empty()) fControl = std::make_unique<TcpListener>(settings.control);
  int pipeFds[2];
  if (::pipe2(pipeFds, O_CLOEXEC | O_NONBLOCK) != 0)
    throw std::runtime_error(std::string("Cannot create the wake-up pipe: ") + std::strerror(errno));
  fWakeRead = UniqueFd(pipeFds[0]);
  fWakeWrite = UniqueFd(pipeFds[1]);
}

Server::~Server() = default;

void Server::OnCommandRun(std::function<void()> callback) {
  fPtyLink.OnCommandRun(callback);
  fTcpLink.OnCommandRun(std::move(callback));
}

void Server::Stop() {
  const char byte = 1;
  [[maybe_unused]] const ssize_t ignored = ::write(fWakeWrite.Get(), &byte, 1);
}

void Server::Run() {
  enum Slot { kWake, kPty, kHost, kControl, kFirstControlClient };
  for (;;) {
    std::vector<pollfd> fds(kFirstControlClient, pollfd{-1, POLLIN, 0});
    fds[kWake].fd = fWakeRead.Get();
    if (fPty) fds[kPty].fd = fPty->Fd();
    if (fHostClient.Valid()) fds[kHost].fd = fHostClient.Get();
    else if (fTcp) fds[kHost].fd = fTcp->Fd();
    if (fControl) fds[kControl].fd = fControl->Fd();
    for (const ControlClient& client : fControlClients) fds.push_back(pollfd{client.fd.Get(), POLLIN, 0});

    if (::poll(fds.data(), fds.size(), -1) < 0) {
      if (errno == EINTR) continue;
      throw std::runtime_error(std::string("poll failed: ") + std::strerror(errno));
    }
    if (fds[kWake].revents) return;
    if (fds[kPty].revents) ServePty();
    if (fds[kHost].revents) {
      if (fHostClient.Valid()) ServeHost();
      else AcceptHost();
    }
    // The clients polled are the first fds.size() - kFirstControlClient ones; a client
    // accepted below waits for the next round.
    for (size_t i = fds.size() - kFirstControlClient; i-- > 0;) {
      if (fds[kFirstControlClient + i].revents && !ServeControl(fControlClients[i]))
        fControlClients.erase(fControlClients.begin() + static_cast<std::ptrdiff_t>(i));
    }
    if (fds[kControl].revents) AcceptControl();
  }
}

void Server::ServePty() {
  std::string bytes;
  if (!ReadAvailable(fPty->Fd(), bytes) || bytes.empty()) return;
  FdOutput out(fPty->Fd(), false, fFaults);
  fPtyLink.Receive(bytes, out);
}

void Server::AcceptHost() {
  fHostClient = fTcp->Accept();
  if (fHostClient.Valid()) fTcpLink.Reset();
}

void Server::ServeHost() {
  std::string bytes;
  if (!ReadAvailable(fHostClient.Get(), bytes)) {
    fHostClient.Close();
    fTcpLink.Reset();
    return;
  }
  if (bytes.empty()) return;
  FdOutput out(fHostClient.Get(), true, fFaults);
  fTcpLink.Receive(bytes, out);
  if (out.Broken()) {
    fHostClient.Close();
    fTcpLink.Reset();
  }
}

void Server::AcceptControl() {
  UniqueFd client = fControl->Accept();
  if (client.Valid()) fControlClients.push_back(ControlClient{std::move(client), {}});
}

bool Server::ServeControl(ControlClient& client) {
  std::string bytes;
  if (!ReadAvailable(client.fd.Get(), bytes)) return false;
  client.pending += bytes;
  for (size_t end; (end = client.pending.find('\n')) != std::string::npos;) {
    std::string line = client.pending.substr(0, end);
    client.pending.erase(0, end + 1);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty()) continue;
    if (line == "quit") return false;
    SendLine(client.fd.Get(), fControlCommands.Run(line));
  }
  if (client.pending.size() > kMaxControlLine) {
    SendLine(client.fd.Get(), "ERR line too long");
    return false;
  }
  return true;
}
