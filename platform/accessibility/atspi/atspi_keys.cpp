#include "platform/accessibility/atspi/atspi_keys.h"

#include <array>
#include <string>

#include "platform/os/xkbcommon_library.h"
#include "platform/text/utf8.h"
#include "platform/ui/keys.h"

namespace platform::atspi {
namespace {

constexpr const char* kControllerPath = "/org/a11y/atspi/registry/deviceeventcontroller";
constexpr const char* kControllerInterface = "org.a11y.atspi.DeviceEventController";

// AtspiEventType.
constexpr uint32_t kKeyPressedEvent = 0;
constexpr uint32_t kKeyReleasedEvent = 1;

// The X modifier masks a reader reads the shift bits as.
constexpr int16_t kShiftMask = 1 << 0;
constexpr int16_t kControlMask = 1 << 2;
constexpr int16_t kMod1Mask = 1 << 3;

int16_t ModifierMask(int32_t shift) {
    int16_t mask = 0;
    if (shift & kShiftShift) mask |= kShiftMask;
    if (shift & kShiftCtrl) mask |= kControlMask;
    if (shift & kShiftAlt) mask |= kMod1Mask;
    return mask;
}

bool IsPrintable(int32_t character) {
    return character >= 0x20 && character != 0x7F;
}

// What the key types, or else the name of its keysym ("Return", "c" with Ctrl held), as a
// toolkit reports a key's string.
std::string EventString(const Keystroke& stroke) {
    std::string text;
    if (IsPrintable(stroke.character)) {
        AppendUtf8(text, static_cast<char32_t>(stroke.character));
        return text;
    }
    std::array<char, 64> name{};
    const XkbCommon* xkb = stroke.symbol != 0 ? LoadXkbCommon() : nullptr;
    if (xkb && xkb->xkb_keysym_get_name(stroke.symbol, name.data(), name.size()) > 0)
        text = name.data();
    return text;
}

}  // namespace

AtspiKeys::AtspiKeys(WindowSystem& system, sd_bus* bus)
    : bus_(bus), filter_(system, [this](const KeyEvent& event) { return Ask(event); }) {}

void AtspiKeys::FollowListenersOf(const std::string& registry) {
    registry_ = registry;
    listened_ = false;
    // A listener that comes is believed at once, so that the keys typed right after it count;
    // one that goes may leave others, which only the registry's list tells.
    const auto changed = [](sd_bus_message* message, void* userdata, sd_bus_error*) {
        auto& self = *static_cast<AtspiKeys*>(userdata);
        if (Sd().sd_bus_message_is_signal(message, nullptr, "KeystrokeListenerRegistered"))
            self.listened_ = true;
        else
            self.AskForListeners();
        return 0;
    };
    const std::string match = "type='signal',sender='" + registry_ + "',path='" + kControllerPath +
                              "',interface='org.a11y.atspi.DeviceEventListener'";
    sd_bus_slot* slot = nullptr;
    if (Sd().sd_bus_add_match_async(bus_, &slot, match.c_str(), changed, nullptr, this) >= 0)
        listenerChanges_.Reset(slot);
    AskForListeners();
}

void AtspiKeys::AskForListeners() {
    const auto answered = [](sd_bus_message* reply, void* userdata, sd_bus_error*) {
        auto& self = *static_cast<AtspiKeys*>(userdata);
        self.listened_ =
            !Sd().sd_bus_message_is_method_error(reply, nullptr) &&
            Sd().sd_bus_message_enter_container(reply, 'a', "(souua(iisi)u(bbb))") > 0 &&
            Sd().sd_bus_message_at_end(reply, 0) == 0;
        return 0;
    };
    sd_bus_slot* slot = nullptr;
    if (Sd().sd_bus_call_method_async(bus_, &slot, registry_.c_str(), kControllerPath,
                                      kControllerInterface, "GetKeystrokeListeners", answered, this,
                                      "") >= 0)
        listenersCall_.Reset(slot);
}

std::optional<uint64_t> AtspiKeys::Ask(const KeyEvent& event) {
    calls_.remove_if([](const Call& call) { return call.answered; });
    if (!listened_) return std::nullopt;
    sd_bus_message* raw = nullptr;
    if (Sd().sd_bus_message_new_method_call(bus_, &raw, "org.a11y.atspi.Registry", kControllerPath,
                                            kControllerInterface, "NotifyListenersSync") < 0)
        return std::nullopt;
    const MessagePtr message(raw);
    const Keystroke& stroke = event.stroke;
    const std::string text = EventString(stroke);
    // The device event: type, keysym, key code, modifiers, time (a reader takes a key with no
    // time for none of its commands), string, and whether it is text.
    if (Sd().sd_bus_message_append(
            raw, "(uinnisb)", event.pressed ? kKeyPressedEvent : kKeyReleasedEvent,
            static_cast<int32_t>(stroke.symbol), static_cast<int16_t>(stroke.key),
            ModifierMask(event.shift), static_cast<int32_t>(static_cast<uint32_t>(event.timeMs)),
            text.c_str(), event.pressed && IsPrintable(stroke.character) ? 1 : 0) < 0)
        return std::nullopt;
    Call& call = calls_.emplace_back(Call{this, nextTicket_, SlotPtr()});
    sd_bus_slot* slot = nullptr;
    if (Sd().sd_bus_call_async(bus_, &slot, raw, &OnAnswer, &call, kAnswerTimeoutUs) < 0) {
        calls_.pop_back();
        return std::nullopt;
    }
    call.slot.Reset(slot);
    return nextTicket_++;
}

int AtspiKeys::OnAnswer(sd_bus_message* reply, void* userdata, sd_bus_error*) {
    Call& call = *static_cast<Call*>(userdata);
    int taken = 0;
    if (Sd().sd_bus_message_is_method_error(reply, nullptr) ||
        Sd().sd_bus_message_read(reply, "b", &taken) < 0)
        taken = 0;
    call.answered = true;
    call.owner->filter_.Answered(call.ticket, taken != 0);
    return 0;
}

}  // namespace platform::atspi
