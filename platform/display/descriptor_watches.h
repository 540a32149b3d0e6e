#pragma once

#include <poll.h>

#include <cstdint>
#include <functional>
#include <vector>

#include "platform/ui/backend.h"

namespace platform {

/// Descriptors besides the display's connection that a backend's wait watches (another copy of
/// the program knocking, say), each with what runs when it becomes readable or hangs up; and the
/// participants that say before each wait what they wait for.
class DescriptorWatches {
  public:
    /// Watches `fd` from now on, in place of any earlier watch of it.
    void Add(int fd, std::function<void()> onReadable);
    void Remove(int fd);
    void AddParticipant(WaitParticipant& participant);
    void RemoveParticipant(WaitParticipant& participant);

    /// Asks each participant what it waits for, then appends a readable-or-hung-up request for
    /// each watched descriptor and the participants' requests to `fds`. Returns the earliest of
    /// the participants' deadlines.
    int64_t AppendTo(std::vector<pollfd>& fds);
    /// Runs the handler of each descriptor that poll() found ready in `fds`, whose entries
    /// from `first` on are those AppendTo appended, and each participant that was ready or whose
    /// deadline `nowMs` reached. A handler may add or remove watches and participants. Returns
    /// whether any handler ran.
    bool RunReady(const std::vector<pollfd>& fds, size_t first, int64_t nowMs);
    /// Runs the handler of each watch and participant that is ready at `nowMs`, without waiting.
    bool RunReadyNow(int64_t nowMs);

  private:
    struct Watch {
        int fd;
        std::function<void()> onReadable;
    };
    struct Asked {
        WaitParticipant* participant;
        WaitInterest interest;
    };
    std::vector<Watch> watches_;
    std::vector<WaitParticipant*> participants_;
    // What each participant asked at the last AppendTo, in the order of its entries.
    std::vector<Asked> asked_;
    size_t appendedWatches_ = 0;
};

}  // namespace platform
