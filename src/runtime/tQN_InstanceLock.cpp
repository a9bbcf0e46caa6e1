#include "runtime/tQN_InstanceLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

tQN_InstanceLock::tQN_InstanceLock(const std::string& aPath) {
  int fd = open(aPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
  if (fd >= 0 && flock(fd, LOCK_EX | LOCK_NB) != 0) {
    close(fd);
    fd = -1;
  }
  fFd = fd;
}

// Closing the descriptor releases the lock.
tQN_InstanceLock::~tQN_InstanceLock() {
  if (fFd >= 0) close(fFd);
}
