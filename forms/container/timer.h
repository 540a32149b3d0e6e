#pragma once

#include <cstdint>

namespace forms {

/// The control's child timer: while enabled with a positive interval it ticks every
/// `interval` ms.
class ChildTimer {
  public:
    virtual ~ChildTimer() = default;

    virtual bool TimerEnabled() const = 0;
    virtual void SetTimerEnabled(bool enabled) = 0;
    virtual int32_t TimerInterval() const = 0;
    virtual void SetTimerInterval(int32_t intervalMs) = 0;
    /// Says that each tick only asks where the pointer is, as a hover poll does: the container
    /// then holds ticks back while neither the pointer nor any window has changed since the last
    /// one, so that a pointer at rest does not keep the program awake.
    virtual void SetTimerPollsPointer(bool polls) = 0;
};

}  // namespace forms
