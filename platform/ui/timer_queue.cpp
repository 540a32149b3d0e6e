#include "platform/ui/timer_queue.h"

#include <algorithm>

#include "platform/ui/backend.h"

namespace platform {

void TimerQueue::Start(uint32_t window, int32_t id, int32_t intervalMs, int64_t nowMs,
                       TimerKind kind) {
    Stop(window, id);
    const int32_t interval = std::max(intervalMs, 1);
    timers_.push_back({window, id, interval, nowMs + interval, nextSequence_++, kind});
}

void TimerQueue::Stop(uint32_t window, int32_t id) {
    std::erase_if(timers_, [&](const Timer& t) { return t.window == window && t.id == id; });
}

void TimerQueue::StopAll(uint32_t window) {
    std::erase_if(timers_, [&](const Timer& t) { return t.window == window; });
}

void TimerQueue::PointerOrWindowsChanged() {
    for (Timer& t : timers_) {
        if (!t.heldBack) continue;
        t.heldBack = false;
        t.woken = true;
    }
}

int64_t TimerQueue::NextDueMs() const {
    int64_t due = kNoDeadline;
    for (const Timer& t : timers_) {
        if (!t.heldBack) due = std::min(due, t.dueMs);
    }
    return due;
}

std::optional<TimerQueue::Due> TimerQueue::PopDue(int64_t nowMs) {
    // A poll woken since the last call ticks at its period's first time from now on.
    for (Timer& t : timers_) {
        if (!t.woken) continue;
        t.woken = false;
        if (t.dueMs < nowMs)
            t.dueMs += (nowMs - t.dueMs + t.intervalMs - 1) / t.intervalMs * t.intervalMs;
    }
    auto earliest = timers_.end();
    for (auto it = timers_.begin(); it != timers_.end(); ++it) {
        if (it->heldBack || it->dueMs > nowMs) continue;
        if (earliest == timers_.end() || it->dueMs < earliest->dueMs ||
            (it->dueMs == earliest->dueMs && it->sequence < earliest->sequence))
            earliest = it;
    }
    if (earliest == timers_.end()) return std::nullopt;
    earliest->dueMs += earliest->intervalMs;
    if (earliest->dueMs <= nowMs) earliest->dueMs = nowMs + earliest->intervalMs;
    earliest->heldBack = earliest->kind == TimerKind::PointerPoll;
    return Due{earliest->window, earliest->id};
}

}  // namespace platform
