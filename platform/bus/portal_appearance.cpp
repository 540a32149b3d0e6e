#include "platform/bus/portal_appearance.h"

#include <algorithm>
#include <string_view>
#include <utility>
#include <vector>

namespace platform::bus {
namespace {

constexpr std::string_view kPortal = "org.freedesktop.portal.Desktop";
constexpr std::string_view kPortalPath = "/org/freedesktop/portal/desktop";
constexpr std::string_view kSettings = "org.freedesktop.portal.Settings";
constexpr std::string_view kProperties = "org.freedesktop.DBus.Properties";
constexpr std::string_view kNamespace = "org.freedesktop.appearance";
constexpr std::string_view kSettingChanges =
    "type='signal',sender='org.freedesktop.portal.Desktop',path='/org/freedesktop/portal/desktop',"
    "interface='org.freedesktop.portal.Settings',member='SettingChanged',"
    "arg0='org.freedesktop.appearance'";
// The keys, in the order of PortalAppearance::keyCalls_.
enum Key : size_t { kColorScheme, kContrast, kReducedMotion };
constexpr std::array<std::string_view, 3> kKeys = {"color-scheme", "contrast", "reduced-motion"};

/// Sets `key` of `appearance` from the value the portal gives it; a value of another type
/// (nullopt) or out of range is the key's default.
void Apply(Appearance& appearance, size_t key, std::optional<uint32_t> value) {
    switch (key) {
        case kColorScheme:
            appearance.colors = value == 1u   ? ColorPreference::Dark
                                : value == 2u ? ColorPreference::Light
                                              : ColorPreference::NoPreference;
            break;
        case kContrast:
            appearance.highContrast = value == 1u;
            break;
        case kReducedMotion:
            appearance.reducedMotion = value == 1u;
            break;
    }
}

}  // namespace

std::unique_ptr<PortalAppearance> PortalAppearance::Open(
    EventSource& events, std::function<void(std::optional<Appearance>)> onChange) {
    std::optional<SessionBusConnection> bus = SessionBusConnection::Connect(events);
    if (!bus) return nullptr;
    return std::unique_ptr<PortalAppearance>(
        new PortalAppearance(events, std::move(*bus), std::move(onChange)));
}

// The matches and the question go out right after the connection's Hello; the bus answers
// them in order, so no change after the answers is missed.
PortalAppearance::PortalAppearance(EventSource& events, SessionBusConnection bus,
                                   std::function<void(std::optional<Appearance>)> onChange)
    : events_(events), bus_(std::move(bus)), onChange_(std::move(onChange)) {
    Start();
    events_.AddParticipant(*this);
}

void PortalAppearance::Start() {
    bus_.AddMatch(kSettingChanges);
    portal_.Ask(bus_);
    AskVersion();
}

PortalAppearance::~PortalAppearance() {
    events_.RemoveParticipant(*this);
}

void PortalAppearance::AskVersion() {
    keyCalls_ = {};
    known_ = false;
    appearance_ = {};
    const std::array<std::string_view, 2> arguments{kSettings, "version"};
    versionCall_ = bus_.Call(kPortal, kPortalPath, kProperties, "Get", arguments);
}

// Version 2 brought ReadOne; Read, older, wraps the value in a second variant.
void PortalAppearance::AskKeys(uint32_t version) {
    version_ = version;
    const std::string_view member = version >= 2 ? "ReadOne" : "Read";
    for (size_t key = 0; key < kKeys.size(); ++key) {
        const std::array<std::string_view, 2> arguments{kNamespace, kKeys[key]};
        keyCalls_[key] = bus_.Call(kPortal, kPortalPath, kSettings, member, arguments);
    }
}

WaitInterest PortalAppearance::Interest() {
    return bus_.Interest();
}

void PortalAppearance::Ready() {
    switch (bus_.Exchange([this](const IncomingMessage& message) { Handle(message); })) {
        case SessionBusConnection::Link::Kept:
            break;
        case SessionBusConnection::Link::Lost:
            portal_.Forget();
            Forget();
            break;
        case SessionBusConnection::Link::Restored:
            Start();
            break;
    }
}

void PortalAppearance::Forget() {
    versionCall_ = 0;
    keyCalls_ = {};
    known_ = false;
    Tell(std::nullopt);
}

// The portal coming (started after the program, or again) is asked; one that goes leaves no
// appearance to follow.
void PortalAppearance::Handle(const IncomingMessage& message) {
    switch (portal_.Take(message)) {
        case NameOwner::News::Came:
            AskVersion();
            return;
        case NameOwner::News::Gone:
            Forget();
            return;
        case NameOwner::News::Answered:
            return;
        case NameOwner::News::None:
            break;
    }
    if (message.type == kSignal && message.member == "SettingChanged") {
        Changed(message);
    } else if ((message.type == kMethodReturn || message.type == kError) &&
               message.replySerial != 0) {
        Answered(message);
    }
}

void PortalAppearance::Answered(const IncomingMessage& message) {
    const bool returned = message.type == kMethodReturn;
    if (message.replySerial == versionCall_) {
        versionCall_ = 0;
        const std::optional<uint32_t> version =
            returned ? ReadUint32Variant(message) : std::nullopt;
        if (!version) {
            Tell(std::nullopt);
            return;
        }
        AskKeys(*version);
        return;
    }
    const auto call = std::find(keyCalls_.begin(), keyCalls_.end(), message.replySerial);
    if (call == keyCalls_.end()) return;
    *call = 0;
    // An error (a key the portal does not know) leaves the key at its default.
    std::optional<uint32_t> value;
    if (returned)
        value = version_ >= 2 ? ReadUint32Variant(message) : ReadNestedUint32Variant(message);
    Apply(appearance_, static_cast<size_t>(call - keyCalls_.begin()), value);
    known_ = std::all_of(keyCalls_.begin(), keyCalls_.end(),
                         [](uint32_t serial) { return serial == 0; });
    if (known_) Tell(appearance_);
}

// The bus passes on only the signals the match names, but the match is the bus's promise; the
// signal is read only when it is what was asked for.
void PortalAppearance::Changed(const IncomingMessage& message) {
    if (!portal_.Sent(message) || message.path != kPortalPath || message.interface != kSettings)
        return;
    const std::optional<SettingChange> change = ReadSettingChange(message);
    if (!change || change->nameSpace != kNamespace) return;
    const auto key = std::find(kKeys.begin(), kKeys.end(), change->key);
    if (key == kKeys.end()) return;
    // Before every key is answered the change is only kept: the answers still to come were
    // sent after it.
    Apply(appearance_, static_cast<size_t>(key - kKeys.begin()), change->value);
    if (known_) Tell(appearance_);
}

void PortalAppearance::Tell(std::optional<Appearance> appearance) {
    if (told_ && *told_ == appearance) return;
    told_ = appearance;
    onChange_(appearance);
}

}  // namespace platform::bus
