#pragma once

#include <functional>

#include "platform/accessibility/atspi/sd_bus_library.h"
#include "platform/ui/backend.h"

namespace platform::atspi {

/// A D-Bus connection on the program's own wait: its descriptor, the events it waits for and
/// its timeout join the event source's wait, and what arrives is processed from inside it, a
/// bounded number of messages at a time so that a flood of them cannot hold input back.
/// `onLost` runs once when the connection is gone, which is waited for no more from then on; it
/// may destroy this object.
class BusWait final : public WaitParticipant {
  public:
    BusWait(EventSource& events, sd_bus* bus, std::function<void()> onLost);
    ~BusWait() override;
    BusWait(const BusWait&) = delete;
    BusWait& operator=(const BusWait&) = delete;

    WaitInterest Interest() override;
    void Ready() override;

  private:
    EventSource& events_;
    sd_bus* bus_;
    std::function<void()> onLost_;
};

}  // namespace platform::atspi
