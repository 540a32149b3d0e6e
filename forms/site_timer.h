#pragma once

#include <cstdint>

#include "forms/container/timer.h"
#include "platform/ui/window.h"

namespace forms {

/// The child timer role of a control site: while enabled with a positive interval it runs the
/// site window's timer kWindowTimerId, whose ticks the site hands to the control.
class SiteTimer final : public ChildTimer {
  public:
    static constexpr int32_t kWindowTimerId = 1;

    /// `window` must outlive the timer.
    explicit SiteTimer(platform::Window& window) : window_(window) {}

    bool TimerEnabled() const override { return enabled_; }
    void SetTimerEnabled(bool enabled) override;
    int32_t TimerInterval() const override { return intervalMs_; }
    void SetTimerInterval(int32_t intervalMs) override;
    void SetTimerPollsPointer(bool polls) override;

  private:
    void Apply();

    platform::Window& window_;
    bool enabled_ = false;
    int32_t intervalMs_ = 0;
    platform::TimerKind kind_ = platform::TimerKind::Steady;
};

}  // namespace forms
