#pragma once

#include <unistd.h>

#include <utility>

namespace platform {

/// A file descriptor with one owner, who closes it.
class OwnedFd {
  public:
    OwnedFd() = default;
    explicit OwnedFd(int fd) : fd_(fd) {}
    ~OwnedFd() { Close(); }

    OwnedFd(OwnedFd&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    OwnedFd& operator=(OwnedFd&& other) noexcept {
        if (this != &other) {
            Close();
            fd_ = std::exchange(other.fd_, -1);
        }
        return *this;
    }
    OwnedFd(const OwnedFd&) = delete;
    OwnedFd& operator=(const OwnedFd&) = delete;

    /// The descriptor, or -1 when there is none.
    int Get() const { return fd_; }
    bool Valid() const { return fd_ >= 0; }

  private:
    void Close() {
        if (fd_ >= 0) ::close(fd_);
    }

    int fd_ = -1;
};

}  // namespace platform
