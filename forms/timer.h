#pragma once

#include <cstdint>
#include <functional>

namespace forms {

class Form;

/// A timer without a window, on its form's window timers: while it is enabled and its interval
/// is above 0, the tick handler runs every interval milliseconds of the backend clock. Enabling
/// it, or changing the interval of an enabled timer, starts a fresh interval. Destroying the
/// timer stops it; a timer is destroyed before its form.
class Timer {
  public:
    Timer(Form& form, int32_t intervalMs, bool enabled);
    ~Timer();
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    int32_t Interval() const { return intervalMs_; }
    void SetInterval(int32_t intervalMs);
    bool IsEnabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    void SetTickHandler(std::function<void()> handler) { tickHandler_ = std::move(handler); }

  private:
    friend class Form;

    void Restart();
    void Fire();

    Form& form_;
    int32_t id_;
    int32_t intervalMs_;
    bool enabled_;
    std::function<void()> tickHandler_;
};

}  // namespace forms
