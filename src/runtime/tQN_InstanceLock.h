#pragma once
// A process-wide named lock: an exclusive flock on a lock file, held while the object lives.

#include <string>

class tQN_InstanceLock {
public:
  // Tries to take the lock without waiting; Held() tells whether it succeeded.
  explicit tQN_InstanceLock(const std::string& aPath);
  ~tQN_InstanceLock();
  tQN_InstanceLock(const tQN_InstanceLock&) = delete;
  tQN_InstanceLock& operator=(const tQN_InstanceLock&) = delete;

  // False when another holder has the lock or the file cannot be opened.
  bool Held() const { return fFd >= 0; }

private:
  int fFd = -1;
};
