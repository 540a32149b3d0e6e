#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "platform/display/headless/headless_backend.h"
#include "platform/objects/appearance.h"

namespace drive {

/// The commands of a driving script, one per line.
namespace command {
struct Wait {
    int64_t ms;
};
struct Move {
    int32_t x;
    int32_t y;
};
struct Down {
    int32_t button;
};
struct Up {
    int32_t button;
};
/// A left click in the middle of the key or label showing the caption.
struct Click {
    std::string caption;
};
/// Prints the middle of the key or label showing the caption, "X Y" in the calculator window's
/// client pixels at the display's scale.
struct Where {
    std::string caption;
};
/// Key presses and typed characters, in the order the keyboard produces them.
struct Key {
    std::vector<platform::HeadlessAction> actions;
};
/// The clipboard gets the text, then Ctrl+V is pressed.
struct Paste {
    std::string text;
};
struct Answer {
    std::string button;  // "Yes", "No" or "OK"
};
struct Close {};
struct PrintDisplay {};
struct PrintFocus {};
struct Shot {
    std::string file;
};
/// The desktop's appearance changes, as the portal would say it.
struct SetAppearance {
    platform::Appearance appearance;
};
}  // namespace command

using Command =
    std::variant<command::Wait, command::Move, command::Down, command::Up, command::Click,
                 command::Where, command::Key, command::Paste, command::Answer, command::Close,
                 command::PrintDisplay, command::PrintFocus, command::Shot,
                 command::SetAppearance>;

/// What one line of a script says: a command, nothing (a blank or comment line), or an error
/// describing why the line is not a command.
struct ParsedLine {
    std::optional<Command> command;
    std::string error;
};

/// Reads one script line. "#" starts a comment; words are separated by blanks; the argument of
/// click, where, type, paste and shot is the rest of the line. "appearance" takes the words
/// dark, light, high-contrast and reduced-motion in any order, or none for the default. "type TEXT" presses the key of
/// each printable character of TEXT in turn; "keydown NAME" and "keyup NAME" press and let go
/// a key without modifiers (named as KeyActions names it) separately.
ParsedLine ParseCommandLine(std::string_view line);

/// How long the driver holds each key it presses: one frame of the display.
inline constexpr int64_t kKeyHeldMs = 17;

/// The keyboard actions of a key name, as a display reports them: the key goes down, is held
/// for kKeyHeldMs and goes up. The name is a key symbol's as the X protocol names it (Return,
/// BackSpace, Escape, Delete, Insert, F9, KP_Enter, KP_0 to KP_9, KP_Add, KP_Decimal, ...),
/// Enter or Space, or one printable character; before it "Shift+", "Ctrl+" and "Alt+" hold
/// those modifiers around the key, and with Ctrl or Alt held the key types no character. Empty
/// for an unknown name.
std::vector<platform::HeadlessAction> KeyActions(std::string_view name);

}  // namespace drive
