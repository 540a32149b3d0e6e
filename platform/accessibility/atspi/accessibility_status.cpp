#include "platform/accessibility/atspi/accessibility_status.h"

#include <optional>
#include <string_view>
#include <utility>

#include "platform/bus/dbus_wire.h"

namespace platform::atspi {
namespace {

using bus::IncomingMessage;

constexpr std::string_view kLauncher = "org.a11y.Bus";
constexpr std::string_view kLauncherPath = "/org/a11y/bus";
constexpr std::string_view kStatus = "org.a11y.Status";
constexpr std::string_view kProperties = "org.freedesktop.DBus.Properties";
constexpr std::string_view kIsEnabled = "IsEnabled";
constexpr std::string_view kScreenReaderEnabled = "ScreenReaderEnabled";
constexpr std::string_view kStatusChanges =
    "type='signal',sender='org.a11y.Bus',path='/org/a11y/bus',"
    "interface='org.freedesktop.DBus.Properties',member='PropertiesChanged'";
}  // namespace

std::unique_ptr<AccessibilityStatus> AccessibilityStatus::Open(
    EventSource& events, std::function<void(bool on)> onChange) {
    std::optional<bus::SessionBusConnection> bus = bus::SessionBusConnection::Connect(events);
    if (!bus) return nullptr;
    return std::unique_ptr<AccessibilityStatus>(
        new AccessibilityStatus(events, std::move(*bus), std::move(onChange)));
}

// The matches and the questions go out right after the connection's Hello; the bus answers
// them in order.
AccessibilityStatus::AccessibilityStatus(EventSource& events, bus::SessionBusConnection bus,
                                         std::function<void(bool)> onChange)
    : events_(events), bus_(std::move(bus)), onChange_(std::move(onChange)) {
    Start();
    events_.AddParticipant(*this);
}

void AccessibilityStatus::Start() {
    bus_.AddMatch(kStatusChanges);
    launcher_.Ask(bus_);
    AskStatus();
}

void AccessibilityStatus::AskStatus() {
    isEnabledCall_ = Call(kProperties, "Get", {kStatus, kIsEnabled});
    screenReaderCall_ = Call(kProperties, "Get", {kStatus, kScreenReaderEnabled});
}

AccessibilityStatus::~AccessibilityStatus() {
    events_.RemoveParticipant(*this);
}

// The launcher is asked only when it runs, and one that does not run means accessibility is
// off: the program never starts it.
uint32_t AccessibilityStatus::Call(std::string_view interface, std::string_view member,
                                   std::vector<std::string_view> arguments) {
    return bus_.Call(kLauncher, kLauncherPath, interface, member, arguments);
}

void AccessibilityStatus::RequestAddress(std::function<void(std::string address)> onAddress) {
    onAddress_ = std::move(onAddress);
    addressCall_ = Call(kLauncher, "GetAddress", {});
}

WaitInterest AccessibilityStatus::Interest() {
    return bus_.Interest();
}

// A connection that is lost leaves accessibility off until the launcher answers on the next.
void AccessibilityStatus::Ready() {
    switch (bus_.Exchange([this](const IncomingMessage& message) { Handle(message); })) {
        case bus::SessionBusConnection::Link::Kept:
            break;
        case bus::SessionBusConnection::Link::Lost:
            launcher_.Forget();
            isEnabledCall_ = screenReaderCall_ = addressCall_ = 0;
            Take(kIsEnabled, false);
            Take(kScreenReaderEnabled, false);
            break;
        case bus::SessionBusConnection::Link::Restored:
            Start();
            break;
    }
}

void AccessibilityStatus::Handle(const IncomingMessage& message) {
    using bus::kMethodReturn;
    using bus::kSignal;
    // A launcher that starts later is asked; one that goes leaves accessibility off.
    switch (launcher_.Take(message)) {
        case bus::NameOwner::News::Came:
            AskStatus();
            return;
        case bus::NameOwner::News::Gone:
            Take(kIsEnabled, false);
            Take(kScreenReaderEnabled, false);
            return;
        case bus::NameOwner::News::Answered:
            return;
        case bus::NameOwner::News::None:
            break;
    }
    if (message.type == kSignal) {
        if (!launcher_.Sent(message) || message.path != kLauncherPath ||
            message.interface != kProperties || message.member != "PropertiesChanged")
            return;
        const std::optional<bus::ChangedBooleans> changed = bus::ReadChangedBooleans(message);
        if (!changed || changed->interface != kStatus) return;
        for (const auto& [name, value] : changed->values)
            Take(name, value);
        return;
    }
    if (message.type != kMethodReturn || message.replySerial == 0) return;
    if (message.replySerial == isEnabledCall_ || message.replySerial == screenReaderCall_) {
        if (const std::optional<bool> value = bus::ReadBooleanVariant(message))
            Take(message.replySerial == isEnabledCall_ ? kIsEnabled : kScreenReaderEnabled, *value);
    } else if (message.replySerial == addressCall_ && onAddress_) {
        const std::optional<std::string> address = bus::ReadString(message);
        if (!address || address->empty()) return;
        const std::function<void(std::string)> onAddress = std::move(onAddress_);
        onAddress(*address);
    }
}

void AccessibilityStatus::Take(std::string_view name, bool value) {
    const bool wasOn = On();
    if (name == kIsEnabled) isEnabled_ = value;
    if (name == kScreenReaderEnabled) screenReaderEnabled_ = value;
    if (On() != wasOn) onChange_(On());
}

}  // namespace platform::atspi
