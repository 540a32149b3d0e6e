#pragma once

#include <unistd.h>

#include <type_traits>
#include <utility>

namespace platform {

/// A handle of the system or a C library (a file descriptor, a Wayland or bus object, an X
/// resource) with one owner, given up with Release(handle) when its owner goes or takes
/// another; kNone holds nothing and is never released. Release is a function, or an object
/// whose call operator is overloaded for the handles of one library.
template <typename Handle, auto Release, Handle kNone = Handle{}>
class Owned {
  public:
    Owned() = default;
    explicit Owned(Handle handle) : handle_(handle) {}
    Owned(Owned&& other) noexcept : handle_(other.Take()) {}
    Owned& operator=(Owned&& other) noexcept {
        Reset(other.Take());
        return *this;
    }
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;
    ~Owned() {
        if (handle_ != kNone) Release(handle_);
    }

    Handle Get() const { return handle_; }
    explicit operator bool() const { return handle_ != kNone; }
    Handle operator->() const requires std::is_pointer_v<Handle> { return handle_; }

    /// Holds `handle` from now on and then releases the one held before.
    void Reset(Handle handle = kNone) {
        const Handle before = std::exchange(handle_, handle);
        if (before != kNone) Release(before);
    }
    /// Gives the handle up unreleased, to a new owner or because it is already gone.
    Handle Take() { return std::exchange(handle_, kNone); }

  private:
    Handle handle_ = kNone;
};

/// Closes a file descriptor: the one place the program closes one.
inline void CloseFd(int fd) {
    ::close(fd);
}

/// A file descriptor with one owner.
using OwnedFd = Owned<int, CloseFd, -1>;

}  // namespace platform
