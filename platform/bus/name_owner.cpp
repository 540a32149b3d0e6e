#include "platform/bus/name_owner.h"

#include <optional>
#include <vector>

namespace platform::bus {
namespace {

constexpr std::string_view kBus = "org.freedesktop.DBus";
constexpr std::string_view kBusPath = "/org/freedesktop/DBus";

}  // namespace

NameOwner::NameOwner(std::string_view name) : name_(name) {}

void NameOwner::Ask(SessionBusConnection& bus) {
    bus.AddMatch(
        "type='signal',sender='org.freedesktop.DBus',path='/org/freedesktop/DBus',"
        "interface='org.freedesktop.DBus',member='NameOwnerChanged',arg0='" +
        name_ + "'");
    const std::string_view name = name_;
    ownerCall_ = bus.Call(kBus, kBusPath, kBus, "GetNameOwner", std::span(&name, 1));
}

// Only the bus speaks for the bus: a NameOwnerChanged or an answer from anyone else is not read.
NameOwner::News NameOwner::Take(const IncomingMessage& message) {
    if (message.sender != kBus) return News::None;
    if (message.replySerial != 0 && message.replySerial == ownerCall_ &&
        (message.type == kMethodReturn || message.type == kError)) {
        ownerCall_ = 0;
        owner_ = message.type == kMethodReturn ? ReadString(message).value_or("") : "";
        return News::Answered;
    }
    if (message.type != kSignal || message.path != kBusPath || message.interface != kBus ||
        message.member != "NameOwnerChanged")
        return News::None;
    const std::optional<std::vector<std::string>> names = ReadStrings(message);
    if (!names || names->size() != 3 || (*names)[0] != name_) return News::None;
    owner_ = (*names)[2];
    return owner_.empty() ? News::Gone : News::Came;
}

void NameOwner::Forget() {
    owner_.clear();
    ownerCall_ = 0;
}

}  // namespace platform::bus
