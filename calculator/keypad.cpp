#include "calculator/keypad.h"

#include <algorithm>

namespace calculator {
namespace {

const KeypadKey* FindIf(auto matches) {
    const auto* found = std::find_if(kKeypad.begin(), kKeypad.end(), matches);
    return found == kKeypad.end() ? nullptr : found;
}

}  // namespace

std::string KeyboardShortcutOf(const KeyBindings& bindings) {
    if (!bindings.characters.empty()) return std::string(bindings.characters.substr(0, 1));
    switch (bindings.keys[0]) {
        case NamedKey::kNone:
            return {};
        case NamedKey::kEnter:
            return "Return";
        case NamedKey::kBackspace:
            return "BackSpace";
        case NamedKey::kEscape:
            return "Escape";
        case NamedKey::kDelete:
            return "Delete";
        case NamedKey::kF9:
            return "F9";
    }
    return {};
}

const KeypadKey* FindKeypadKey(std::string_view caption) {
    return FindIf([caption](const KeypadKey& key) { return key.caption == caption; });
}

const KeypadKey* FindKeypadKey(NamedKey namedKey) {
    if (namedKey == NamedKey::kNone) return nullptr;
    return FindIf([namedKey](const KeypadKey& key) {
        return std::find(key.bindings.keys.begin(), key.bindings.keys.end(), namedKey) !=
               key.bindings.keys.end();
    });
}

const KeypadKey* FindKeypadKeyTyped(int32_t character) {
    if (character <= 0 || character > 127) return nullptr;
    return FindIf([character](const KeypadKey& key) {
        return key.bindings.characters.find(static_cast<char>(character)) != std::string_view::npos;
    });
}

const KeypadKey* FindKeypadKey(std::string_view name, int32_t index) {
    return FindIf(
        [name, index](const KeypadKey& key) { return key.name == name && key.index == index; });
}

}  // namespace calculator
