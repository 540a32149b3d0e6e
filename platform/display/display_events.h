#pragma once

#include <poll.h>

#include <cstdint>
#include <functional>
#include <string>

#include "platform/display/descriptor_watches.h"
#include "platform/display/steady_clock.h"
#include "platform/ui/backend.h"

namespace platform {

/// What the shared wait of the real displays (DisplayEvents) asks of one display's connection:
/// the X11 and Wayland backends each implement it over their own protocol library.
class DisplayConnection {
  public:
    virtual ~DisplayConnection() = default;

    /// Whether input the display sent waits to be delivered; it may take in what the display
    /// has sent already, but never waits.
    virtual bool HasInput() = 0;
    /// Gets ready to wait: sends what was asked of the display. Returns what to wait for on the
    /// connection's descriptor.
    virtual pollfd BeginWait() = 0;
    /// Ends the wait that BeginWait began: `revents` are what poll() found on the connection's
    /// descriptor, 0 when it did not wait for it or found nothing. Takes in what came.
    virtual void EndWait(short revents) = 0;
    /// When the connection wants the wait over by itself (a held key's next repeat);
    /// kNoDeadline when it does not.
    virtual int64_t NextDeadlineMs() const = 0;
    /// Runs after each wait, at `nowMs`: input of its own making (key repeats), pictures held
    /// back.
    virtual void AfterWait(int64_t nowMs) = 0;
    /// Delivers the first input event that waits, as calls into `system`; with no window system
    /// attached (null), it serves only the connection's own business (a clipboard request).
    virtual void DeliverOne(WindowSystem* system) = 0;
    /// Whether the connection to the display is gone; nothing comes from it any more.
    virtual bool Lost() const = 0;
    /// The display as the message about its loss names it: `the display ":1"`.
    virtual std::string Name() const = 0;
};

/// The event source of a real display, for every such backend alike: the steady clock, the
/// watched descriptors, and the wait on the display's connection and those descriptors until
/// the deadline, which delivers one input event per wait (a handler may end the loop that
/// called, and the events after it then belong to the loop that is left). A lost connection is
/// told to the window system (WindowSystem::DisplayLost) as "the connection to NAME was lost",
/// and every wait after it returns false.
class DisplayEvents final : public EventSource {
  public:
    explicit DisplayEvents(DisplayConnection& connection) : connection_(connection) {}
    DisplayEvents(const DisplayEvents&) = delete;
    DisplayEvents& operator=(const DisplayEvents&) = delete;

    void Attach(WindowSystem& system) override { system_ = &system; }
    WindowSystem* System() const { return system_; }
    int64_t NowMs() const override { return clock_.NowMs(); }
    void WatchDescriptor(int fd, std::function<void()> onReadable) override;
    void UnwatchDescriptor(int fd) override;
    void AddParticipant(WaitParticipant& participant) override;
    void RemoveParticipant(WaitParticipant& participant) override;
    bool WaitForEvents(int64_t deadlineMs) override;

    /// Delivers every input event that waits now, without waiting.
    void DeliverWaiting();

  private:
    /// Polls the connection and the watches until `deadlineMs`; whether a watch's handler ran.
    bool Wait(int64_t deadlineMs);
    /// Tells the window system that the display is lost (once); false.
    bool ReportLost();

    DisplayConnection& connection_;
    SteadyClock clock_;
    DescriptorWatches watches_;
    WindowSystem* system_ = nullptr;
    bool pollFailed_ = false;
    bool reported_ = false;
};

/// The poll() timeout that ends a wait at `deadlineMs` when it is `nowMs`: -1 (no end) for
/// kNoDeadline, 0 for a deadline that has passed.
int TimeoutUntil(int64_t deadlineMs, int64_t nowMs);

}  // namespace platform
