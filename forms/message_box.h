#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ui/window.h"
#include "platform/ui/window_system.h"

namespace forms {

enum class MessageBoxButtons {
    Ok,
    YesNo,           // Yes is the default button
    YesNoDefaultNo,  // No is the default button
};

enum class MessageBoxIcon { None, Information, Exclamation };

enum class MessageBoxAnswer { Ok, Yes, No };

/// A message box as it appears, given to the observer.
struct MessageBoxInfo {
    const platform::Window* owner = nullptr;
    std::string title;
    std::string text;
    std::vector<std::string> lines;  // the text split into its lines
    MessageBoxButtons buttons = MessageBoxButtons::Ok;
    MessageBoxIcon icon = MessageBoxIcon::None;
    platform::Window* window = nullptr;  // the box, shown and painted
};

/// Sees every message box once it is shown and painted, before it waits for input. Returning
/// an answer closes the box at once with that answer; nullopt leaves it to the user (or to
/// scripted input).
using MessageBoxObserver = std::function<std::optional<MessageBoxAnswer>(const MessageBoxInfo&)>;

/// Installs the observer of all message boxes (none with an empty function) and returns the
/// one it replaces.
MessageBoxObserver SetMessageBoxObserver(MessageBoxObserver observer);

/// The lines of a message: they end at a carriage return, at CR LF or at a line feed; a break
/// at the very end starts no further line. Empty text is no line.
std::vector<std::string> SplitMessageLines(std::string_view text);

/// Shows a modal message box owned by `owner` (none when null), centred on its owner, sized
/// to its text and its title, and returns the button chosen. The default button has the focus at
/// first; Enter chooses the focused button, Space too, Tab and Shift+Tab and the arrows move
/// between the buttons (round from the last to the first), Escape answers No (or OK), and the
/// letters Y, N and O choose their buttons. The close box and Alt+F4 answer as Escape does. When
/// the loop ends without an answer (the program quits, scripted input runs out) the answer is
/// the one Escape gives.
MessageBoxAnswer ShowMessageBox(platform::WindowSystem& system, const platform::Window* owner,
                                std::string_view title, std::string_view text,
                                MessageBoxButtons buttons, MessageBoxIcon icon);

}  // namespace forms
