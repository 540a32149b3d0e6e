#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/accessibility/atspi/bus_handles.h"
#include "platform/accessibility/atspi/bus_wait.h"

namespace platform::atspi {

/// Whether the desktop wants accessible programs, as the accessibility bus's launcher
/// (org.a11y.Bus on the session bus) says through org.a11y.Status: IsEnabled or
/// ScreenReaderEnabled on. Every question is asked without waiting for its answer; a launcher
/// that is missing or never answers leaves accessibility off.
class AccessibilityStatus {
  public:
    /// Follows the status on the user's session bus, telling `onChange` each time it turns on or
    /// off; null when there is no session bus.
    static std::unique_ptr<AccessibilityStatus> Open(EventSource& events,
                                                     std::function<void(bool on)> onChange);
    ~AccessibilityStatus();
    AccessibilityStatus(const AccessibilityStatus&) = delete;
    AccessibilityStatus& operator=(const AccessibilityStatus&) = delete;

    bool On() const { return isEnabled_ || screenReaderEnabled_; }
    /// Asks the launcher for the accessibility bus's address; `onAddress` runs with it when the
    /// answer comes (never when it does not). A new request replaces one still unanswered.
    void RequestAddress(std::function<void(std::string address)> onAddress);

  private:
    AccessibilityStatus(EventSource& events, BusPtr bus, std::function<void(bool)> onChange);

    static int OnPropertyReply(sd_bus_message* reply, void* userdata, sd_bus_error* error);
    static int OnPropertiesChanged(sd_bus_message* signal, void* userdata, sd_bus_error* error);
    static int OnAddressReply(sd_bus_message* reply, void* userdata, sd_bus_error* error);
    void AskProperty(const char* name, SlotPtr& call);
    /// Takes in a property's new value and tells the change if the status turned.
    void Take(const char* name, bool value);

    BusPtr bus_;
    BusWait wait_;
    std::function<void(bool)> onChange_;
    std::function<void(std::string)> onAddress_;
    SlotPtr changes_;
    SlotPtr isEnabledCall_;
    SlotPtr screenReaderCall_;
    SlotPtr addressCall_;
    bool isEnabled_ = false;
    bool screenReaderEnabled_ = false;
};

}  // namespace platform::atspi
