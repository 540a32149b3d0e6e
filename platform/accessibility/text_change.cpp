#include "platform/accessibility/text_change.h"

#include <algorithm>

#include "platform/text/utf8.h"

namespace platform {

// The common ends are measured in bytes and then moved back to where a character begins, so
// that a character the two texts share only in part counts as changed.
TextChange DiffText(std::string_view before, std::string_view after) {
    const size_t shorter = std::min(before.size(), after.size());
    size_t prefix = 0;
    while (prefix < shorter && before[prefix] == after[prefix])
        ++prefix;
    while (prefix > 0 && prefix < before.size() && IsUtf8Continuation(before[prefix]))
        --prefix;
    size_t suffix = 0;
    while (suffix < shorter - prefix &&
           before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix])
        ++suffix;
    while (suffix > 0 && IsUtf8Continuation(before[before.size() - suffix]))
        --suffix;
    return {CharacterCount(before.substr(0, prefix)),
            std::string(before.substr(prefix, before.size() - prefix - suffix)),
            std::string(after.substr(prefix, after.size() - prefix - suffix))};
}

}  // namespace platform
