#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/bus/dbus_wire.h"
#include "platform/bus/session_bus.h"

namespace platform::bus {

/// The unique name of the connection that owns a well-known name on the bus, as the bus itself
/// says it: asked with GetNameOwner and followed through NameOwnerChanged. Any client may send a
/// signal that looks like a service's own; the sender the bus writes into it tells them apart.
class NameOwner {
  public:
    explicit NameOwner(std::string_view name);

    /// What a message said of the owner.
    enum class News {
        None,      // it is not about the owner
        Answered,  // the answer to Ask
        Came,      // a new owner took the name
        Gone,      // the owner left it
    };

    /// Asks the bus to pass on the name's NameOwnerChanged, then asks who owns the name now.
    void Ask(SessionBusConnection& bus);
    /// Reads `message` when it is the answer to Ask or the bus's NameOwnerChanged of the name.
    News Take(const IncomingMessage& message);
    /// Whether `message` comes from the owner.
    bool Sent(const IncomingMessage& message) const {
        return !owner_.empty() && message.sender == owner_;
    }
    /// Forgets the owner and the question, as on a connection that was lost.
    void Forget();

  private:
    std::string name_;
    std::string owner_;
    uint32_t ownerCall_ = 0;
};

}  // namespace platform::bus
