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
};

}  // namespace forms
