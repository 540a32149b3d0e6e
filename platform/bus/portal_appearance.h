#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/bus/name_owner.h"
#include "platform/bus/session_bus.h"
#include "platform/objects/appearance.h"
#include "platform/ui/backend.h"

namespace platform::bus {

/// The desktop's appearance as the settings portal (org.freedesktop.portal.Settings on the
/// session bus) says it, followed live: the keys color-scheme, contrast and reduced-motion of
/// the namespace org.freedesktop.appearance. It speaks the few messages it needs on its own
/// connection, on the program's wait, and loads no D-Bus library. Every question is asked
/// without waiting for its answer. It starts no portal: one that does not run is followed from
/// when it takes its name, and until then the desktop's appearance is someone else's to say.
class PortalAppearance final : public WaitParticipant {
  public:
    /// Follows the appearance on the user's session bus (DBUS_SESSION_BUS_ADDRESS, else the bus
    /// in XDG_RUNTIME_DIR); null when there is no session bus to connect to, and then nothing
    /// is ever told.
    ///
    /// `onChange` runs from inside the wait, only when what it was last told changes:
    /// - with the whole Appearance once the portal has answered for all three keys (a key it
    ///   does not know, or whose value is of another type or out of range, is the default:
    ///   no preference, no higher contrast, no reduced motion), and again after each
    ///   SettingChanged that changes it;
    /// - with nullopt when there is no portal (none runs, or it fails to say its version), when
    ///   the portal leaves the bus, and when the connection to the bus is lost (the bus went
    ///   away or sent what breaks the format).
    /// A portal that takes the name later, or is found on a new connection, is asked again, and
    /// its answers told as above.
    static std::unique_ptr<PortalAppearance> Open(
        EventSource& events, std::function<void(std::optional<Appearance>)> onChange);
    ~PortalAppearance() override;
    PortalAppearance(const PortalAppearance&) = delete;
    PortalAppearance& operator=(const PortalAppearance&) = delete;

    WaitInterest Interest() override;
    void Ready() override;

  private:
    PortalAppearance(EventSource& events, SessionBusConnection bus,
                     std::function<void(std::optional<Appearance>)> onChange);

    /// Sends the match and the questions, on each new connection.
    void Start();
    /// Forgets what was asked and what was answered, telling that there is no portal.
    void Forget();
    /// Asks the portal for the version of its Settings interface, forgetting what is pending.
    void AskVersion();
    /// Asks for each key, the way the portal's version reads it.
    void AskKeys(uint32_t version);
    void Handle(const IncomingMessage& message);
    void Answered(const IncomingMessage& message);
    void Changed(const IncomingMessage& message);
    /// Tells `onChange` about `appearance` unless that is what it was last told.
    void Tell(std::optional<Appearance> appearance);

    EventSource& events_;
    SessionBusConnection bus_;
    std::function<void(std::optional<Appearance>)> onChange_;
    /// The portal's connection on the bus; its signals alone are read.
    NameOwner portal_{"org.freedesktop.portal.Desktop"};
    uint32_t versionCall_ = 0;
    uint32_t version_ = 0;
    /// The serial of each key's question until its answer comes; 0 once answered.
    std::array<uint32_t, 3> keyCalls_{};
    /// Whether every key has been answered since the version was last asked.
    bool known_ = false;
    Appearance appearance_;
    /// What `onChange` was last told; nullopt before it was told anything.
    std::optional<std::optional<Appearance>> told_;
};

}  // namespace platform::bus
