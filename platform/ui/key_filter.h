#pragma once

#include <cstdint>

#include "platform/ui/keys.h"

namespace platform {

/// A key going down (or repeating) or coming up, with the shift bits (kShift*) held as it did
/// and the window system's time then.
struct KeyEvent {
    bool pressed = true;
    Keystroke stroke = {};
    int32_t shift = 0;
    int64_t timeMs = 0;
};

/// Sees every key before the windows do and may hold it back, as the bridge to a screen reader
/// does so that the reader can take its own commands. A key held back is given to
/// WindowSystem::DeliverKey later, in the order the keys came, or dropped.
class KeyFilter {
  public:
    virtual ~KeyFilter() = default;

    /// True when the filter holds `event` back.
    virtual bool Hold(const KeyEvent& event) = 0;
    /// Delivers every key held back, now: the keyboard is leaving the program.
    virtual void DeliverAll() = 0;
};

}  // namespace platform
