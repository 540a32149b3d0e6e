#pragma once

#include "platform/accessibility/atspi/sd_bus_library.h"
#include "platform/os/owned.h"

namespace platform::atspi {

/// Owners of sd-bus objects: a connection is flushed and closed with its last reference, a
/// slot (a match, an object's methods, a pending call) ends with its own.
struct BusRelease {
    void operator()(sd_bus* bus) const { Sd().sd_bus_flush_close_unref(bus); }
    void operator()(sd_bus_slot* slot) const { Sd().sd_bus_slot_unref(slot); }
    void operator()(sd_bus_message* message) const { Sd().sd_bus_message_unref(message); }
};
using BusPtr = Owned<sd_bus*, BusRelease{}>;
using SlotPtr = Owned<sd_bus_slot*, BusRelease{}>;
using MessagePtr = Owned<sd_bus_message*, BusRelease{}>;

}  // namespace platform::atspi
