#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace platform {

/// The running window timers: which window's timer is due next. A timer started at time t with
/// interval i is due at t + i, t + 2i, ...; timers due at the same moment fire in the order
/// they were started.
class TimerQueue {
  public:
    struct Due {
        uint32_t window;
        int32_t id;
    };

    /// Starts (or restarts) a window's timer; an interval below 1 ms counts as 1 ms.
    void Start(uint32_t window, int32_t id, int32_t intervalMs, int64_t nowMs);
    void Stop(uint32_t window, int32_t id);
    void StopAll(uint32_t window);
    /// When the earliest timer is due; kNoDeadline with none running.
    int64_t NextDueMs() const;
    /// The earliest timer due at or before `nowMs`, rescheduled to its next period (never
    /// earlier than one interval after `nowMs` when it has fallen behind); nullopt when none.
    std::optional<Due> PopDue(int64_t nowMs);

  private:
    struct Timer {
        uint32_t window;
        int32_t id;
        int32_t intervalMs;
        int64_t dueMs;
        uint64_t sequence;  // start order, for ties
    };
    std::vector<Timer> timers_;
    uint64_t nextSequence_ = 0;
};

}  // namespace platform
