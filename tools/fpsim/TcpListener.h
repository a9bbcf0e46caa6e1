#pragma once
// A listening TCP socket for "HOST:PORT" (port 0: the system picks one).

#include "UniqueFd.h"

#include <string>

class TcpListener {
public:
  // Throws std::runtime_error for a bad address or a port that cannot be bound.
  explicit TcpListener(const std::string& hostPort);

  int Fd() const { return fSocket.Get(); }
  int Port() const { return fPort; }
  const std::string& Host() const { return fHost; }
  // The next waiting connection, or an invalid descriptor when none is waiting.
  UniqueFd Accept() const;

private:
  UniqueFd fSocket;
  std::string fHost;
  int fPort = 0;
};

// Splits "HOST:PORT"; throws std::runtime_error naming the text when it is not one.
void SplitHostPort(const std::string& hostPort, std::string& host, int& port);
