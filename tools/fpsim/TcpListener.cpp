#include "TcpListener.h"

#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>

#include <charconv>
#include <cerrno>
#include <cstring>
#include <stdexcept>

void SplitHostPort(const std::string& hostPort, std::string& host, int& port) {
  const size_t colon = hostPort.rfind(':');
  if (colon == std::string::npos || colon == 0)
    throw std::runtime_error("'" + hostPort + "' is not HOST:PORT");
  host = hostPort.substr(0, colon);
  const char* first = hostPort.data() + colon + 1;
  const char* last = hostPort.data() + hostPort.size();
  const auto [end, error] = std::from_chars(first, last, port);
  if (error != std::errc() || end != last || first == last || port < 0 || port > 65535)
    throw std::runtime_error("'" + hostPort + "' has no valid port");
}

TcpListener::TcpListener(const std::string& hostPort) {
  SplitHostPort(hostPort, fHost, fPort);
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  hints.ai_flags = AI_PASSIVE;
  addrinfo* found = nullptr;
  const std::string service = std::to_string(fPort);
  if (const int rc = ::getaddrinfo(fHost.c_str(), service.c_str(), &hints, &found); rc != 0)
    throw std::runtime_error("Cannot resolve " + fHost + ": " + ::gai_strerror(rc));
  std::string failure = "no address";
  for (addrinfo* address = found; address && !fSocket.Valid(); address = address->ai_next) {
    UniqueFd candidate(::socket(address->ai_family, address->ai_socktype | SOCK_CLOEXEC, address->ai_protocol));
    if (!candidate.Valid()) continue;
    const int on = 1;
    ::setsockopt(candidate.Get(), SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    if (::bind(candidate.Get(), address->ai_addr, address->ai_addrlen) == 0 && ::listen(candidate.Get(), 8) == 0)
      fSocket = std::move(candidate);
    else
      failure = std::strerror(errno);
  }
  ::freeaddrinfo(found);
  if (!fSocket.Valid()) throw std::runtime_error("Cannot listen on " + hostPort + ": " + failure);
  sockaddr_storage bound{};
  socklen_t length = sizeof bound;
  ::getsockname(fSocket.Get(), reinterpret_cast<sockaddr*>(&bound), &length);
  fPort = bound.ss_family == AF_INET6 ? ntohs(reinterpret_cast<sockaddr_in6*>(&bound)->sin6_port)
                                      : ntohs(reinterpret_cast<sockaddr_in*>(&bound)->sin_port);
}

UniqueFd TcpListener::Accept() const {
  UniqueFd client(::accept4(fSocket.Get(), nullptr, nullptr, SOCK_CLOEXEC));
  if (client.Valid()) {
    const int on = 1;
    ::setsockopt(client.Get(), IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
  }
  return client;
}
