#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "platform/bus/dbus_wire.h"
#include "platform/os/owned.h"
#include "platform/ui/backend.h"

namespace platform::bus {

/// A connection to the user's session bus that speaks the wire format itself, on the program's
/// own wait. Nothing on it waits: calls are queued and go out as the socket takes them, and
/// what the bus sends comes in through Exchange, which the connection's owner runs from its
/// WaitParticipant::Ready. The authentication (EXTERNAL) and Hello go out first, and every call
/// after them without waiting for their answers: the bus answers in order.
///
/// When the bus hangs up, refuses the authentication or sends what breaks the format, the
/// connection is lost, and connected again after a back-off: kFirstRetryMs, doubling up to
/// kLastRetryMs, and back to the first once a connection is let in. A message over
/// kMaxMessageBytes is passed over unread: what waits to come in stays below that bound.
class SessionBusConnection {
  public:
    /// Connects to the first address of DBUS_SESSION_BUS_ADDRESS that takes the connection,
    /// else to the bus socket in XDG_RUNTIME_DIR; nullopt when there is no session bus to
    /// connect to.
    /// nullopt when there is no session bus to connect to. The back-off runs on `clock`, which
    /// must outlive the connection.
    static std::optional<SessionBusConnection> Connect(const EventSource& clock);

    static constexpr int64_t kFirstRetryMs = 1000;
    static constexpr int64_t kLastRetryMs = 30000;

    /// Queues a method call whose arguments are all strings; returns its serial, which its
    /// answer names, or 0 while the connection is lost.
    uint32_t Call(std::string_view destination, std::string_view path, std::string_view interface,
                  std::string_view member, std::span<const std::string_view> arguments);
    /// Asks the bus to pass on the signals that `rule` matches.
    void AddMatch(std::string_view rule);

    /// What the wait waits for on the connection: always its answers, and the socket taking
    /// more while calls wait to go out; while it is lost, the time to connect again.
    WaitInterest Interest() const;

    /// What became of the connection in one Exchange.
    enum class Link {
        Kept,
        Lost,      // everything asked is forgotten; nothing is answered until Restored
        Restored,  // connected again: the matches and questions are the owner's to send again
    };
    /// Sends what waits to go out, takes in what has come and hands each whole message to
    /// `onMessage` in order; calls `onMessage` queues go out before it returns. While the
    /// connection is lost, connects again once the back-off has passed.
    Link Exchange(const std::function<void(const IncomingMessage&)>& onMessage);

  private:
    SessionBusConnection(const EventSource& clock, OwnedFd fd);

    /// Starts on a new socket: the authentication and Hello go out first.
    void Begin(OwnedFd fd);
    void Flush();
    /// Takes in what has come: the answer to the authentication, then whole messages.
    bool TakeIn(const std::function<void(const IncomingMessage&)>& onMessage);
    void Close();

    const EventSource* clock_;
    OwnedFd fd_;
    /// When a lost connection is tried again, and the wait after that.
    int64_t retryAtMs_ = 0;
    int64_t backOffMs_ = kFirstRetryMs;
    std::vector<uint8_t> out_;
    std::vector<uint8_t> in_;
    /// How many bytes of a message passed over are still to come.
    size_t skip_ = 0;
    bool authenticated_ = false;
    uint32_t nextSerial_ = 1;
};

}  // namespace platform::bus
