#include "calculator/keypad.h"

#include <algorithm>

namespace calculator {
namespace {

const KeypadKey* FindIf(auto matches) {
    const auto* found = std::find_if(kKeypad.begin(), kKeypad.end(), matches);
    return found == kKeypad.end() ? nullptr : found;
}

}  // namespace

const KeypadKey* FindKeypadKey(std::string_view caption) {
    return FindIf([caption](const KeypadKey& key) { return key.caption == caption; });
}

const KeypadKey* FindKeypadKey(std::string_view name, int32_t index) {
    return FindIf(
        [name, index](const KeypadKey& key) { return key.name == name && key.index == index; });
}

}  // namespace calculator
