#include "tools/tavik_drive/commands.h"

#include <charconv>

#include "platform/display/keysyms.h"
#include "platform/ui/keys.h"

namespace drive {
namespace {

using platform::HeadlessAction;
namespace headless = platform::headless;

std::string_view Trim(std::string_view text) {
    const size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

/// Splits off the first word; `rest` keeps what follows, trimmed.
std::string_view FirstWord(std::string_view text, std::string_view& rest) {
    const size_t end = text.find_first_of(" \t");
    if (end == std::string_view::npos) {
        rest = {};
        return text;
    }
    rest = Trim(text.substr(end));
    return text.substr(0, end);
}

template <typename Int>
std::optional<Int> ParseInt(std::string_view word) {
    Int value{};
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (error != std::errc() || end != word.data() + word.size()) return std::nullopt;
    return value;
}

std::optional<int32_t> ButtonBit(std::string_view name) {
    if (name.empty() || name == "left") return platform::kButtonLeft;
    if (name == "right") return platform::kButtonRight;
    if (name == "middle") return platform::kButtonMiddle;
    return std::nullopt;
}

/// A key going down, held for a frame and going up: the symbol's key, numbered by its symbol.
void Press(std::vector<HeadlessAction>& actions, uint32_t keysym, bool typesNothing) {
    platform::Keystroke stroke = platform::KeystrokeOf(keysym, keysym);
    if (typesNothing) stroke.character = platform::ControlCharacter(stroke.keyCode);
    actions.emplace_back(headless::KeyPressed{stroke});
    actions.emplace_back(headless::Advance{kKeyHeldMs});
    actions.emplace_back(headless::KeyReleased{stroke.key, stroke.keyCode});
}

/// The symbol of a key name without modifiers, 0 for none.
uint32_t KeysymOfName(std::string_view name) {
    if (name.size() == 1 && name[0] > ' ' && name[0] < 0x7F)
        return static_cast<uint32_t>(static_cast<unsigned char>(name[0]));
    if (name == "Enter") return platform::KeysymNamed("Return");
    if (name == "Space") return platform::KeysymNamed("space");
    return platform::KeysymNamed(name);
}

ParsedLine Error(std::string message) {
    return ParsedLine{std::nullopt, std::move(message)};
}

ParsedLine Parsed(Command command) {
    return ParsedLine{std::move(command), {}};
}

}  // namespace

std::vector<HeadlessAction> KeyActions(std::string_view name) {
    struct Modifier {
        std::string_view prefix;
        const char* keysymName;
        bool typesNothing;
    };
    static constexpr Modifier kModifiers[] = {
        {"Shift+", "Shift_L", false}, {"Ctrl+", "Control_L", true}, {"Alt+", "Alt_L", true}};
    std::vector<platform::Keystroke> held;
    bool typesNothing = false;
    for (bool found = true; found;) {
        found = false;
        for (const Modifier& modifier : kModifiers) {
            if (!name.starts_with(modifier.prefix) || name.size() == modifier.prefix.size())
                continue;
            name.remove_prefix(modifier.prefix.size());
            const uint32_t keysym = platform::KeysymNamed(modifier.keysymName);
            held.push_back(platform::KeystrokeOf(keysym, keysym));
            typesNothing = typesNothing || modifier.typesNothing;
            found = true;
        }
    }
    const uint32_t keysym = KeysymOfName(name);
    if (keysym == 0) return {};
    std::vector<HeadlessAction> actions;
    for (const platform::Keystroke& modifier : held)
        actions.emplace_back(headless::KeyPressed{modifier});
    Press(actions, keysym, typesNothing);
    for (auto it = held.rbegin(); it != held.rend(); ++it)
        actions.emplace_back(headless::KeyReleased{it->key, it->keyCode});
    return actions;
}

ParsedLine ParseCommandLine(std::string_view line) {
    line = Trim(line.substr(0, line.find('#')));
    if (line.empty()) return {};
    std::string_view rest;
    const std::string_view name = FirstWord(line, rest);
    std::string_view second;
    const std::string_view first = FirstWord(rest, second);

    if (name == "wait") {
        const std::optional<int64_t> ms = ParseInt<int64_t>(rest);
        if (!ms || *ms < 0) return Error("wait needs a number of milliseconds");
        return Parsed(command::Wait{*ms});
    }
    if (name == "move") {
        const std::optional<int32_t> x = ParseInt<int32_t>(first);
        const std::optional<int32_t> y = ParseInt<int32_t>(second);
        if (!x || !y) return Error("move needs two coordinates");
        return Parsed(command::Move{*x, *y});
    }
    if (name == "down" || name == "up") {
        const std::optional<int32_t> button = ButtonBit(rest);
        if (!button) return Error("unknown button \"" + std::string(rest) + "\"");
        if (name == "down") return Parsed(command::Down{*button});
        return Parsed(command::Up{*button});
    }
    if (name == "click") {
        if (rest.empty()) return Error("click needs a caption");
        return Parsed(command::Click{std::string(rest)});
    }
    if (name == "where") {
        if (rest.empty()) return Error("where needs a caption");
        return Parsed(command::Where{std::string(rest)});
    }
    if (name == "key") {
        std::vector<HeadlessAction> actions = KeyActions(rest);
        if (actions.empty()) return Error("unknown key \"" + std::string(rest) + "\"");
        return Parsed(command::Key{std::move(actions)});
    }
    if (name == "keydown" || name == "keyup") {
        const uint32_t keysym = KeysymOfName(rest);
        if (keysym == 0) return Error("unknown key \"" + std::string(rest) + "\"");
        const platform::Keystroke stroke = platform::KeystrokeOf(keysym, keysym);
        std::vector<HeadlessAction> actions;
        if (name == "keydown") {
            actions.emplace_back(headless::KeyPressed{stroke});
        } else {
            actions.emplace_back(headless::KeyReleased{stroke.key, stroke.keyCode});
        }
        return Parsed(command::Key{std::move(actions)});
    }
    if (name == "type") {
        std::vector<HeadlessAction> actions;
        for (const char c : rest) {
            if (c <= ' ' || c >= 0x7F)
                return Error("type takes printable characters without blanks");
            Press(actions, static_cast<uint32_t>(c), false);
        }
        if (actions.empty()) return Error("type needs a text");
        return Parsed(command::Key{std::move(actions)});
    }
    if (name == "paste") return Parsed(command::Paste{std::string(rest)});
    if (name == "answer") {
        if (rest != "Yes" && rest != "No" && rest != "OK")
            return Error("answer needs Yes, No or OK");
        return Parsed(command::Answer{std::string(rest)});
    }
    if (name == "close" && rest.empty()) return Parsed(command::Close{});
    if (name == "print" && rest == "display") return Parsed(command::PrintDisplay{});
    if (name == "print" && rest == "focus") return Parsed(command::PrintFocus{});
    if (name == "shot") {
        if (rest.empty()) return Error("shot needs a file name");
        return Parsed(command::Shot{std::string(rest)});
    }
    if (name == "appearance") {
        platform::Appearance appearance;
        for (std::string_view words = rest; !words.empty();) {
            const std::string_view word = FirstWord(words, words);
            if (word == "dark") {
                appearance.colors = platform::ColorPreference::Dark;
            } else if (word == "light") {
                appearance.colors = platform::ColorPreference::Light;
            } else if (word == "high-contrast") {
                appearance.highContrast = true;
            } else if (word == "reduced-motion") {
                appearance.reducedMotion = true;
            } else {
                return Error("unknown appearance \"" + std::string(word) + "\"");
            }
        }
        return Parsed(command::SetAppearance{appearance});
    }
    return Error("unknown command \"" + std::string(line) + "\"");
}

}  // namespace drive
