#include "forms/site_timer.h"

namespace forms {

void SiteTimer::Apply() {
    if (enabled_ && intervalMs_ > 0) {
        window_.SetTimer(kWindowTimerId, intervalMs_, kind_);
    } else {
        window_.KillTimer(kWindowTimerId);
    }
}

// Setting what is already set leaves a running timer's countdown alone.
void SiteTimer::SetTimerEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    Apply();
}

void SiteTimer::SetTimerInterval(int32_t intervalMs) {
    if (intervalMs == intervalMs_) return;
    intervalMs_ = intervalMs;
    Apply();
}

void SiteTimer::SetTimerPollsPointer(bool polls) {
    const platform::TimerKind kind =
        polls ? platform::TimerKind::PointerPoll : platform::TimerKind::Steady;
    if (kind == kind_) return;
    kind_ = kind;
    Apply();
}

}  // namespace forms
