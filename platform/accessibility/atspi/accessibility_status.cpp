#include "platform/accessibility/atspi/accessibility_status.h"

#include <cstring>
#include <utility>

namespace platform::atspi {
namespace {

constexpr const char* kLauncher = "org.a11y.Bus";
constexpr const char* kLauncherPath = "/org/a11y/bus";
constexpr const char* kStatus = "org.a11y.Status";
constexpr const char* kProperties = "org.freedesktop.DBus.Properties";
constexpr const char* kIsEnabled = "IsEnabled";
constexpr const char* kScreenReaderEnabled = "ScreenReaderEnabled";

}  // namespace

std::unique_ptr<AccessibilityStatus> AccessibilityStatus::Open(
    EventSource& events, std::function<void(bool on)> onChange) {
    sd_bus* bus = nullptr;
    if (sd_bus_open_user(&bus) < 0) return nullptr;
    return std::unique_ptr<AccessibilityStatus>(
        new AccessibilityStatus(events, BusPtr(bus), std::move(onChange)));
}

// A lost session bus turns accessibility off; nothing is asked of it again.
AccessibilityStatus::AccessibilityStatus(EventSource& events, BusPtr bus,
                                         std::function<void(bool)> onChange)
    : bus_(std::move(bus)),
      wait_(events, bus_.get(),
            [this] {
                const bool wasOn = On();
                isEnabled_ = screenReaderEnabled_ = false;
                if (wasOn) onChange_(false);
            }),
      onChange_(std::move(onChange)) {
    sd_bus_slot* slot = nullptr;
    if (sd_bus_match_signal_async(bus_.get(), &slot, kLauncher, kLauncherPath, kProperties,
                                  "PropertiesChanged", &OnPropertiesChanged, nullptr, this) >= 0)
        changes_.reset(slot);
    AskProperty(kIsEnabled, isEnabledCall_);
    AskProperty(kScreenReaderEnabled, screenReaderCall_);
}

AccessibilityStatus::~AccessibilityStatus() = default;

void AccessibilityStatus::AskProperty(const char* name, SlotPtr& call) {
    sd_bus_slot* slot = nullptr;
    if (sd_bus_call_method_async(bus_.get(), &slot, kLauncher, kLauncherPath, kProperties, "Get",
                                 &OnPropertyReply, this, "ss", kStatus, name) >= 0) {
        sd_bus_slot_set_description(slot, name);
        call.reset(slot);
    }
}

int AccessibilityStatus::OnPropertyReply(sd_bus_message* reply, void* userdata, sd_bus_error*) {
    auto& self = *static_cast<AccessibilityStatus*>(userdata);
    const char* name = nullptr;
    sd_bus_slot_get_description(sd_bus_get_current_slot(sd_bus_message_get_bus(reply)), &name);
    int value = 0;
    if (!name || sd_bus_message_is_method_error(reply, nullptr) ||
        sd_bus_message_read(reply, "v", "b", &value) < 0)
        return 0;
    self.Take(name, value != 0);
    return 0;
}

int AccessibilityStatus::OnPropertiesChanged(sd_bus_message* signal, void* userdata,
                                             sd_bus_error*) {
    auto& self = *static_cast<AccessibilityStatus*>(userdata);
    const char* interface = nullptr;
    if (sd_bus_message_read(signal, "s", &interface) < 0 || std::strcmp(interface, kStatus) != 0)
        return 0;
    if (sd_bus_message_enter_container(signal, 'a', "{sv}") < 0) return 0;
    while (sd_bus_message_enter_container(signal, 'e', "sv") > 0) {
        const char* name = nullptr;
        int value = 0;
        if (sd_bus_message_read(signal, "s", &name) < 0) return 0;
        if (sd_bus_message_read(signal, "v", "b", &value) >= 0)
            self.Take(name, value != 0);
        else if (sd_bus_message_skip(signal, "v") < 0)
            return 0;
        if (sd_bus_message_exit_container(signal) < 0) return 0;
    }
    return 0;
}

void AccessibilityStatus::Take(const char* name, bool value) {
    const bool wasOn = On();
    if (std::strcmp(name, kIsEnabled) == 0) isEnabled_ = value;
    if (std::strcmp(name, kScreenReaderEnabled) == 0) screenReaderEnabled_ = value;
    if (On() != wasOn) onChange_(On());
}

void AccessibilityStatus::RequestAddress(std::function<void(std::string address)> onAddress) {
    onAddress_ = std::move(onAddress);
    sd_bus_slot* slot = nullptr;
    addressCall_.reset();
    if (sd_bus_call_method_async(bus_.get(), &slot, kLauncher, kLauncherPath, kLauncher,
                                 "GetAddress", &OnAddressReply, this, "") >= 0)
        addressCall_.reset(slot);
}

int AccessibilityStatus::OnAddressReply(sd_bus_message* reply, void* userdata, sd_bus_error*) {
    auto& self = *static_cast<AccessibilityStatus*>(userdata);
    const char* address = nullptr;
    if (sd_bus_message_is_method_error(reply, nullptr) ||
        sd_bus_message_read(reply, "s", &address) < 0 || !address || !*address)
        return 0;
    const std::function<void(std::string)> onAddress = std::move(self.onAddress_);
    onAddress(address);
    return 0;
}

}  // namespace platform::atspi
