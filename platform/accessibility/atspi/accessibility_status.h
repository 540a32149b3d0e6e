#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/bus/name_owner.h"
#include "platform/bus/session_bus.h"
#include "platform/ui/backend.h"

namespace platform::atspi {

/// Whether the desktop wants accessible programs, as the accessibility bus's launcher
/// (org.a11y.Bus on the session bus) says through org.a11y.Status: IsEnabled or
/// ScreenReaderEnabled on, asked again whenever a launcher takes the name. It speaks the few
/// messages it needs on its own connection to the session bus, on the program's wait, so that no
/// D-Bus library is loaded while accessibility is off. Every question is asked without waiting for
/// its answer; a launcher that is missing or never answers leaves accessibility off, and so does a
/// connection that is lost until it is connected again and the launcher answers there.
class AccessibilityStatus final : public WaitParticipant {
  public:
    /// Follows the status on the user's session bus (DBUS_SESSION_BUS_ADDRESS, else the bus in
    /// XDG_RUNTIME_DIR), telling `onChange` each time it turns on or off; null when there is no
    /// session bus to connect to.
    static std::unique_ptr<AccessibilityStatus> Open(EventSource& events,
                                                     std::function<void(bool on)> onChange);
    ~AccessibilityStatus() override;
    AccessibilityStatus(const AccessibilityStatus&) = delete;
    AccessibilityStatus& operator=(const AccessibilityStatus&) = delete;

    bool On() const { return isEnabled_ || screenReaderEnabled_; }
    /// Asks the launcher for the accessibility bus's address; `onAddress` runs with it when the
    /// answer comes (never when it does not). A new request replaces one still unanswered.
    void RequestAddress(std::function<void(std::string address)> onAddress);

    WaitInterest Interest() override;
    void Ready() override;

  private:
    AccessibilityStatus(EventSource& events, bus::SessionBusConnection bus,
                        std::function<void(bool)> onChange);

    /// Sends the matches and the questions, on each new connection.
    void Start();
    /// Asks the launcher; the answer names the serial returned.
    uint32_t Call(std::string_view interface, std::string_view member,
                  std::vector<std::string_view> arguments);
    /// Asks the launcher for IsEnabled and ScreenReaderEnabled.
    void AskStatus();
    void Handle(const bus::IncomingMessage& message);
    void Take(std::string_view name, bool value);

    EventSource& events_;
    bus::SessionBusConnection bus_;
    std::function<void(bool)> onChange_;
    /// The launcher's connection on the bus; only its status signals are believed.
    bus::NameOwner launcher_{"org.a11y.Bus"};
    std::function<void(std::string)> onAddress_;
    uint32_t isEnabledCall_ = 0;
    uint32_t screenReaderCall_ = 0;
    uint32_t addressCall_ = 0;
    bool isEnabled_ = false;
    bool screenReaderEnabled_ = false;
};

}  // namespace platform::atspi
