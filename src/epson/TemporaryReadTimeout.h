#pragma once
// Stretches the read time-out of a connection handler for the commands of one
// scope, for printer commands that take longer than the connection's time-out.

#include <cstdint>

#include "transport/kIOHandler.h"

class TemporaryReadTimeout {
public:
  TemporaryReadTimeout(kIOHandler& aIOHandler, int32_t aMilliseconds) : fIOHandler(aIOHandler) {
    fIOHandler.SetTemporaryReadTimeout(aMilliseconds);
  }
  ~TemporaryReadTimeout() { fIOHandler.ResetTemporaryReadTimeout(); }
  TemporaryReadTimeout(const TemporaryReadTimeout&) = delete;
  TemporaryReadTimeout& operator=(const TemporaryReadTimeout&) = delete;

private:
  kIOHandler& fIOHandler;
};
