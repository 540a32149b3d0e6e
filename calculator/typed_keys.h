#pragma once

#include <cstdint>
#include <optional>

#include "calculator/key_control.h"
#include "calculator/keypad.h"
#include "forms/form.h"
#include "forms/timer.h"
#include "platform/ui/keys.h"

namespace calculator {

/// The key of the keypad that a keystroke presses with the shift bits `shift` held, by the
/// keypad table's bindings: by its named key, else by its character; null when none. Nothing
/// is typed while Ctrl or Alt is held.
const KeypadKey* KeypadKeyTyped(const platform::Keystroke& stroke, int32_t shift);

/// Presses the keypad's keys from the keyboard, one key at a time, as visibly as the mouse
/// does: a key goes down with its keyboard key and comes up, with its Click, when that key is
/// let go. A key let go at once stays down for one frame first. A held key repeats as one
/// Click per repeat; a second keyboard key going down lets the first one's key come up, with
/// its Click, before it goes down itself, so that the Clicks come in the order of the presses.
class TypedKeys {
  public:
    /// How long a key typed and let go at once is shown down: one frame of the display.
    static constexpr int32_t kShortestDownMs = 17;

    explicit TypedKeys(forms::Form& form);

    /// The keyboard key that the display numbers `key` went down, or repeats, pressing `control`.
    void Down(uint32_t key, KeyControl& control);
    /// The keyboard key `key` went up; nothing when it presses no key any more.
    void Up(uint32_t key);
    /// Lets the key that is held, or shown down for its frame, come up now with its Click, so
    /// that what the keyboard does next (a copy, a paste) comes after the keys typed before it.
    void Finish();

  private:
    struct Held {
        uint32_t key;
        KeyControl* control;
        int64_t downAtMs;
    };

    /// The held key comes up now and clicks.
    void Release();

    forms::Form& form_;
    forms::Timer shortestDown_;
    std::optional<Held> held_;
    /// The held keyboard key was let go before its key had been shown down long enough.
    bool releaseDue_ = false;
};

}  // namespace calculator
