#include "platform/display/display_events.h"

#include <errno.h>

#include <algorithm>
#include <climits>
#include <utility>
#include <vector>

#include "platform/ui/window_system.h"

namespace platform {

int TimeoutUntil(int64_t deadlineMs, int64_t nowMs) {
    if (deadlineMs == kNoDeadline) return -1;
    return static_cast<int>(std::clamp<int64_t>(deadlineMs - nowMs, 0, INT_MAX));
}

void DisplayEvents::WatchDescriptor(int fd, std::function<void()> onReadable) {
    watches_.Add(fd, std::move(onReadable));
}

void DisplayEvents::UnwatchDescriptor(int fd) {
    watches_.Remove(fd);
}

void DisplayEvents::AddParticipant(WaitParticipant& participant) {
    watches_.AddParticipant(participant);
}

void DisplayEvents::RemoveParticipant(WaitParticipant& participant) {
    watches_.RemoveParticipant(participant);
}

bool DisplayEvents::WaitForEvents(int64_t deadlineMs) {
    const auto lost = [this] { return pollFailed_ || connection_.Lost(); };
    bool watchRan = false;
    if (!lost() && !connection_.HasInput()) {
        watchRan = Wait(deadlineMs);
        if (!lost()) connection_.AfterWait(NowMs());
    }
    if (lost()) return ReportLost();
    if (!watchRan && connection_.HasInput()) connection_.DeliverOne(system_);
    return lost() ? ReportLost() : true;
}

bool DisplayEvents::Wait(int64_t deadlineMs) {
    const pollfd display = connection_.BeginWait();
    if (connection_.Lost() || connection_.HasInput()) {
        connection_.EndWait(0);
        return false;
    }
    std::vector<pollfd> fds{display};
    const int64_t participantsDue = watches_.AppendTo(fds);
    const int64_t until = std::min({deadlineMs, connection_.NextDeadlineMs(), participantsDue});
    const int ready = poll(fds.data(), fds.size(), TimeoutUntil(until, NowMs()));
    if (ready < 0 && errno != EINTR) pollFailed_ = true;
    connection_.EndWait(ready > 0 ? fds[0].revents : 0);
    return ready >= 0 && watches_.RunReady(fds, 1, NowMs());
}

void DisplayEvents::DeliverWaiting() {
    while (!connection_.Lost() && connection_.HasInput())
        connection_.DeliverOne(system_);
    if (connection_.Lost()) ReportLost();
}

bool DisplayEvents::ReportLost() {
    if (!reported_ && system_) {
        reported_ = true;
        system_->DisplayLost("the connection to " + connection_.Name() + " was lost");
    }
    return false;
}

}  // namespace platform
