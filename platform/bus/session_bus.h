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
/// It closes for good when the bus hangs up, refuses the authentication, or sends what breaks
/// the format. A message over kMaxMessageBytes is passed over unread: what waits to come in
/// stays below that bound.
class SessionBusConnection {
  public:
    /// Connects to the first address of DBUS_SESSION_BUS_ADDRESS that takes the connection,
    /// else to the bus socket in XDG_RUNTIME_DIR; nullopt when there is no session bus to
    /// connect to.
    static std::optional<SessionBusConnection> Connect();

    /// Queues a method call whose arguments are all strings; returns its serial, which its
    /// answer names, or 0 when the connection is closed.
    uint32_t Call(std::string_view destination, std::string_view path, std::string_view interface,
                  std::string_view member, std::span<const std::string_view> arguments);
    /// Asks the bus to pass on the signals that `rule` matches.
    void AddMatch(std::string_view rule);

    /// What the wait waits for on the connection: always its answers, and the socket taking
    /// more while calls wait to go out.
    WaitInterest Interest() const;
    /// Sends what waits to go out, takes in what has come and hands each whole message to
    /// `onMessage` in order; calls `onMessage` queues go out before it returns. Returns false
    /// once the connection is closed.
    bool Exchange(const std::function<void(const IncomingMessage&)>& onMessage);

  private:
    explicit SessionBusConnection(OwnedFd fd);

    void Flush();
    /// Takes in what has come: the answer to the authentication, then whole messages.
    bool TakeIn(const std::function<void(const IncomingMessage&)>& onMessage);
    void Close();

    OwnedFd fd_;
    std::vector<uint8_t> out_;
    std::vector<uint8_t> in_;
    /// How many bytes of a message passed over are still to come.
    size_t skip_ = 0;
    bool authenticated_ = false;
    uint32_t nextSerial_ = 1;
};

}  // namespace platform::bus
