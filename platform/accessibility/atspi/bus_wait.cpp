#include "platform/accessibility/atspi/bus_wait.h"

#include <poll.h>
#include <time.h>

#include <utility>

namespace platform::atspi {
namespace {

/// Messages processed in one wait at most; more wait for the next, which then does not sleep.
constexpr int kMessagesPerWait = 64;

uint64_t MonotonicUs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<uint64_t>(now.tv_sec) * 1'000'000 +
           static_cast<uint64_t>(now.tv_nsec) / 1000;
}

}  // namespace

BusWait::BusWait(EventSource& events, sd_bus* bus, std::function<void()> onLost)
    : events_(events), bus_(bus), onLost_(std::move(onLost)) {
    events_.AddParticipant(*this);
}

BusWait::~BusWait() {
    events_.RemoveParticipant(*this);
}

// sd-bus keeps its timeouts on the monotonic clock in microseconds; the wait's deadline is on
// the event source's clock, so the time left is carried over, rounded up to whole milliseconds.
WaitInterest BusWait::Interest() {
    WaitInterest interest;
    interest.fd = Sd().sd_bus_get_fd(bus_);
    const int events = Sd().sd_bus_get_events(bus_);
    if (interest.fd < 0 || events < 0) {
        interest.deadlineMs = events_.NowMs();
        return interest;
    }
    interest.readable = (events & POLLIN) != 0;
    interest.writable = (events & POLLOUT) != 0;
    uint64_t timeoutUs = 0;
    if (Sd().sd_bus_get_timeout(bus_, &timeoutUs) >= 0 && timeoutUs != UINT64_MAX) {
        const uint64_t now = MonotonicUs();
        const uint64_t leftUs = timeoutUs > now ? timeoutUs - now : 0;
        interest.deadlineMs = events_.NowMs() + static_cast<int64_t>((leftUs + 999) / 1000);
    }
    return interest;
}

void BusWait::Ready() {
    for (int i = 0; i < kMessagesPerWait; ++i) {
        const int processed = Sd().sd_bus_process(bus_, nullptr);
        if (processed < 0) {
            // A lost connection is waited for no more. The handler may destroy this object:
            // nothing of it is touched after.
            events_.RemoveParticipant(*this);
            const std::function<void()> lost = onLost_;
            lost();
            return;
        }
        if (processed == 0) return;
    }
}

}  // namespace platform::atspi
