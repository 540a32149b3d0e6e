#include "platform/accessibility/text_change.h"

#include <algorithm>

namespace platform {
namespace {

bool ContinuesCharacter(char byte) {
    return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
}

}  // namespace

int32_t CharacterCount(std::string_view text) {
    return static_cast<int32_t>(std::count_if(text.begin(), text.end(),
                                              [](char byte) { return !ContinuesCharacter(byte); }));
}

size_t ByteOfCharacter(std::string_view text, int32_t offset) {
    size_t byte = 0;
    for (int32_t seen = 0; byte < text.size(); ++byte) {
        if (ContinuesCharacter(text[byte])) continue;
        if (seen++ == offset) return byte;
    }
    return text.size();
}

// The common ends are measured in bytes and then moved back to where a character begins, so
// that a character the two texts share only in part counts as changed.
TextChange DiffText(std::string_view before, std::string_view after) {
    const size_t shorter = std::min(before.size(), after.size());
    size_t prefix = 0;
    while (prefix < shorter && before[prefix] == after[prefix])
        ++prefix;
    while (prefix > 0 && prefix < before.size() && ContinuesCharacter(before[prefix]))
        --prefix;
    size_t suffix = 0;
    while (suffix < shorter - prefix &&
           before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix])
        ++suffix;
    while (suffix > 0 && ContinuesCharacter(before[before.size() - suffix]))
        --suffix;
    return {CharacterCount(before.substr(0, prefix)),
            std::string(before.substr(prefix, before.size() - prefix - suffix)),
            std::string(after.substr(prefix, after.size() - prefix - suffix))};
}

}  // namespace platform
