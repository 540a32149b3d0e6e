#pragma once

#include <string>

namespace platform {

/// A per-user lock that says whether another copy of the program is running; the name says
/// what else it is scoped to (a desktop session, say).
///
/// The lock is a Unix socket bound to a name in the abstract namespace ("\0" + name + uid):
/// binding is atomic, so of two programs started at the same instant exactly one gets it; it
/// needs no file, and the kernel releases it when the process ends in any way, a crash included.
class SingleInstanceLock {
  public:
    /// Tries to take the lock called `name` for the current user.
    explicit SingleInstanceLock(const std::string& name);
    ~SingleInstanceLock();

    SingleInstanceLock(const SingleInstanceLock&) = delete;
    SingleInstanceLock& operator=(const SingleInstanceLock&) = delete;

    /// True when this process holds the lock; false when another process holds it (or no
    /// socket could be made at all, which is treated as "no other copy is known").
    bool Acquired() const { return acquired_; }

  private:
    int socket_ = -1;
    bool acquired_ = false;
};

}  // namespace platform
