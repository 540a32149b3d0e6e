#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace platform {

/// What a timer's ticks depend on. A steady timer ticks every period. A pointer poll's ticks
/// only ask where the pointer is, so a tick is held back until the pointer or a window has
/// changed since the last one (PointerOrWindowsChanged): a pointer at rest lets the program
/// sleep. A held-back tick comes at its period's next time after the change, as it would have
/// come without holding back.
enum class TimerKind { Steady, PointerPoll };

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
    void Start(uint32_t window, int32_t id, int32_t intervalMs, int64_t nowMs,
               TimerKind kind = TimerKind::Steady);
    void Stop(uint32_t window, int32_t id);
    void StopAll(uint32_t window);
    /// The pointer moved or left, or a window changed: the pointer polls tick again, at the
    /// first time of their period from the next PopDue's time on.
    void PointerOrWindowsChanged();
    /// When the earliest timer is due; kNoDeadline with none running (held-back polls wait
    /// for no time).
    int64_t NextDueMs() const;
    /// The earliest timer due at or before `nowMs`, rescheduled to its next period (never
    /// earlier than one interval after `nowMs` when it has fallen behind); nullopt when none.
    /// A pointer poll is held back after each tick.
    std::optional<Due> PopDue(int64_t nowMs);

  private:
    struct Timer {
        uint32_t window;
        int32_t id;
        int32_t intervalMs;
        int64_t dueMs;
        uint64_t sequence;  // start order, for ties
        TimerKind kind;
        bool heldBack = false;  // a pointer poll with nothing changed since its last tick
        bool woken = false;     // a held-back poll whose period the next PopDue moves on
    };
    std::vector<Timer> timers_;
    uint64_t nextSequence_ = 0;
};

}  // namespace platform
