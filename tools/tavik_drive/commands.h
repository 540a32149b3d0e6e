#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "platform/ui/headless/headless_backend.h"

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
struct Answer {
    std::string button;  // "Yes", "No" or "OK"
};
struct Close {};
struct PrintDisplay {};
struct PrintFocus {};
struct Shot {
    std::string file;
};
}  // namespace command

using Command =
    std::variant<command::Wait, command::Move, command::Down, command::Up, command::Click,
                 command::Where, command::Key, command::Answer, command::Close,
                 command::PrintDisplay, command::PrintFocus, command::Shot>;

/// What one line of a script says: a command, nothing (a blank or comment line), or an error
/// describing why the line is not a command.
struct ParsedLine {
    std::optional<Command> command;
    std::string error;
};

/// Reads one script line. "#" starts a comment; words are separated by blanks; the argument of
/// click, where and shot is the rest of the line.
ParsedLine ParseCommandLine(std::string_view line);

/// The keyboard actions of a key name: Tab, Shift+Tab, Space, Enter, Escape, Left, Right, Up,
/// Down, Alt+ and one character, or one printable character. Letters and digits go down and
/// up with their key codes around the typed character; other characters are typed only, as
/// a keyboard layout gives them. Empty for an unknown name.
std::vector<platform::HeadlessAction> KeyActions(std::string_view name);

}  // namespace drive
