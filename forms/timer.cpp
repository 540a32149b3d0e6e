#include "forms/timer.h"

#include "forms/form.h"

namespace forms {

Timer::Timer(Form& form, int32_t intervalMs, bool enabled)
    : form_(form), id_(form.AddTimer(*this)), intervalMs_(intervalMs), enabled_(enabled) {
    Restart();
}

Timer::~Timer() {
    form_.RemoveTimer(id_);
}

void Timer::SetInterval(int32_t intervalMs) {
    intervalMs_ = intervalMs;
    Restart();
}

void Timer::SetEnabled(bool enabled) {
    enabled_ = enabled;
    Restart();
}

void Timer::Restart() {
    if (enabled_ && intervalMs_ > 0) {
        form_.SetTimer(id_, intervalMs_);
    } else {
        form_.KillTimer(id_);
    }
}

void Timer::Fire() {
    // The handler may destroy the timer and its form: nothing of either is touched after it.
    if (tickHandler_) {
        const std::function<void()> handler = tickHandler_;
        handler();
    }
}

}  // namespace forms
