#pragma once

#include <string_view>

namespace forms {

/// The window messages of the control's thread.
class MessageQueue {
  public:
    virtual ~MessageQueue() = default;

    /// Runs the window messages that are pending now (posted work, queued keystrokes, due
    /// timers, repainting) and returns; handlers of other windows may run meanwhile.
    virtual void DispatchPending() = 0;
    /// Queues keystrokes ("{Tab}", "+{Tab}") and returns without waiting for them.
    virtual void SendKeys(std::string_view keys) = 0;
};

}  // namespace forms
