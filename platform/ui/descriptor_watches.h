#pragma once

#include <poll.h>

#include <functional>
#include <vector>

namespace platform {

/// Descriptors besides the display's connection that a backend's wait watches (another copy of
/// the program knocking, say), each with what runs when it becomes readable or hangs up.
class DescriptorWatches {
  public:
    /// Watches `fd` from now on, in place of any earlier watch of it.
    void Add(int fd, std::function<void()> onReadable);
    void Remove(int fd);

    /// Appends a readable-or-hung-up request for each watched descriptor to `fds`.
    void AppendTo(std::vector<pollfd>& fds) const;
    /// Runs the handler of each descriptor that poll() found ready in `fds`, whose entries
    /// from `first` on are those AppendTo appended. A handler may add or remove watches.
    /// Returns whether any handler ran.
    bool RunReady(const std::vector<pollfd>& fds, size_t first);
    /// Runs the handler of each watched descriptor that is ready now, without waiting.
    bool RunReadyNow();

  private:
    struct Watch {
        int fd;
        std::function<void()> onReadable;
    };
    std::vector<Watch> watches_;
};

}  // namespace platform
