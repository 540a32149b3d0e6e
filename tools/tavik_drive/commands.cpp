#include "tools/tavik_drive/commands.h"

#include <charconv>

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

/// The key code of a letter or digit (its upper-case character), 0 for other characters.
int32_t CharacterKeyCode(char c) {
    if (c >= 'a' && c <= 'z') return c - 'a' + 'A';
    if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) return c;
    return 0;
}

void Press(std::vector<HeadlessAction>& actions, int32_t keyCode, int32_t charCode) {
    actions.push_back(headless::KeyDown{keyCode});
    if (charCode != 0) actions.push_back(headless::Character{charCode});
    actions.push_back(headless::KeyUp{keyCode});
}

ParsedLine Error(std::string message) {
    return ParsedLine{std::nullopt, std::move(message)};
}

ParsedLine Parsed(Command command) {
    return ParsedLine{std::move(command), {}};
}

}  // namespace

std::vector<HeadlessAction> KeyActions(std::string_view name) {
    struct NamedKey {
        std::string_view name;
        int32_t keyCode;
        int32_t charCode;  // the character the key types, 0 for none
    };
    static constexpr NamedKey kNamedKeys[] = {
        {"Tab", platform::kKeyTab, 0},      {"Space", platform::kKeySpace, ' '},
        {"Enter", platform::kKeyEnter, 13}, {"Escape", platform::kKeyEscape, 27},
        {"Left", platform::kKeyLeft, 0},    {"Right", platform::kKeyRight, 0},
        {"Up", platform::kKeyUp, 0},        {"Down", platform::kKeyDown, 0},
    };
    std::vector<HeadlessAction> actions;
    for (const NamedKey& key : kNamedKeys) {
        if (key.name != name) continue;
        Press(actions, key.keyCode, key.charCode);
        return actions;
    }
    if (name == "Shift+Tab") {
        actions.push_back(headless::KeyDown{platform::kKeyShift});
        Press(actions, platform::kKeyTab, 0);
        actions.push_back(headless::KeyUp{platform::kKeyShift});
        return actions;
    }
    if (name.size() == 5 && name.starts_with("Alt+")) {
        // With Alt held the key is an access key: it goes down and up, nothing is typed.
        const char c = name[4];
        const int32_t keyCode = CharacterKeyCode(c) != 0 ? CharacterKeyCode(c) : c;
        actions.push_back(headless::KeyDown{platform::kKeyAlt});
        Press(actions, keyCode, 0);
        actions.push_back(headless::KeyUp{platform::kKeyAlt});
        return actions;
    }
    if (name.size() == 1 && name[0] > ' ' && name[0] < 0x7F) {
        const char c = name[0];
        if (const int32_t keyCode = CharacterKeyCode(c)) {
            Press(actions, keyCode, c);
        } else {
            actions.push_back(headless::Character{c});
        }
    }
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
    return Error("unknown command \"" + std::string(line) + "\"");
}

}  // namespace drive
