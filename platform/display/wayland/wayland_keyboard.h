#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>

#include "platform/ui/backend.h"

namespace platform {

/// The keyboard of a Wayland seat as the window system sees it: the compositor's keymap
/// (compiled with xkbcommon), the modifiers the compositor reports, and the repeat of a held
/// key, which on Wayland the client makes itself. Keys are numbered as wl_keyboard numbers them
/// (Linux input codes, without the offset of 8 that keymaps use).
///
/// A key gives the window system what the X11 backend gives it for the same key: the desktop
/// key code of the symbol on the key's first level, then the character that the symbol chosen
/// by Shift, Caps Lock and Num Lock types, none while Ctrl or Alt is held.
class WaylandKeyboard {
  public:
    /// What a key press gives the window system: KeyDown(keyCode) when keyCode is not 0, then
    /// Character(character) when character is not 0.
    struct Stroke {
        int32_t keyCode = 0;
        int32_t character = 0;

        friend bool operator==(const Stroke&, const Stroke&) = default;
    };

    WaylandKeyboard();
    ~WaylandKeyboard();
    WaylandKeyboard(const WaylandKeyboard&) = delete;
    WaylandKeyboard& operator=(const WaylandKeyboard&) = delete;

    /// Takes the keymap that the compositor sent (text format v1, possibly ending in NULs).
    /// Returns false, and keeps no keymap, when it does not compile; keys then give nothing.
    bool SetKeymap(std::string_view text);
    /// The most bytes a keymap file may have: the system's layouts make a few hundred KB.
    static constexpr uint32_t kMaxKeymapSize = 8 << 20;
    /// Takes the keymap the compositor sent as a file: the first `size` bytes of `fd`, mapped
    /// for reading. Refuses (as SetKeymap refuses) a size over kMaxKeymapSize or past the end of
    /// the file, where reading the mapping would end the program with SIGBUS.
    bool SetKeymapFile(int fd, uint32_t size);
    /// The modifier and layout state of wl_keyboard.modifiers.
    void SetModifiers(uint32_t depressed, uint32_t latched, uint32_t locked, uint32_t group);
    /// The shift bits (kShiftShift, kShiftCtrl, kShiftAlt) of the modifiers now in effect.
    int32_t HeldShift() const;
    /// wl_keyboard.repeat_info: keys repeat `rate` times a second after `delayMs`; a rate of
    /// 0 turns repeating off.
    void SetRepeat(int32_t rate, int32_t delayMs);

    /// A key went down at `nowMs`: what it gives, and, when the key repeats, its repeat starts.
    Stroke Press(uint32_t key, int64_t nowMs);
    /// A key went up: the desktop key code for KeyUp (0: none). Ends its repeat.
    int32_t Release(uint32_t key);
    /// The keyboard focus left our windows: no key repeats any more.
    void StopRepeat();

    /// The keymap's (XKB) number of a wl_keyboard key, as X11 numbers it too; 0, which no keymap
    /// uses, for one out of range.
    static uint32_t KeymapCode(uint32_t key);
    /// The keysym `key` gives with the modifiers now in effect; 0 without a keymap.
    uint32_t Symbol(uint32_t key) const;
    /// The key that repeats while held; 0 when none does.
    uint32_t RepeatingKey() const;
    /// When the held key next repeats; kNoDeadline when none repeats.
    int64_t NextRepeatMs() const;
    /// The repeat due at `nowMs`, if one is: the held key's stroke, with the next repeat one
    /// interval after the one given but never at or before `nowMs` (a late program does not
    /// get a burst of repeats).
    std::optional<Stroke> DueRepeat(int64_t nowMs);

  private:
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace platform
