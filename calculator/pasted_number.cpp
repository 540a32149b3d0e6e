#include "calculator/pasted_number.h"

#include "calculator/keypad.h"

namespace calculator {
namespace {

constexpr std::string_view kWhiteSpace = " \t\r\n";

std::string_view SignChangeCaption() {
    for (const KeypadKey& key : kKeypad)
        if (key.step == KeyStep::kSignChange) return key.caption;
    return {};
}

}  // namespace

std::optional<std::vector<std::string_view>> KeysForPastedNumber(
    std::string_view text, std::string_view decimalSeparator) {
    const size_t first = text.find_first_not_of(kWhiteSpace);
    if (first == std::string_view::npos) return std::nullopt;
    text = text.substr(first, text.find_last_not_of(kWhiteSpace) - first + 1);

    std::vector<std::string_view> keys;
    const bool negative = text.starts_with('-');
    if (negative) text.remove_prefix(1);
    size_t characters = negative ? 1 : 0;
    bool separatorSeen = false;
    bool digitSeen = false;
    while (!text.empty()) {
        if (++characters > kMaxPastedNumberLength) return std::nullopt;
        const char c = text.front();
        if (c >= '0' && c <= '9') {
            keys.push_back(FindKeypadKeyTyped(c)->caption);
            digitSeen = true;
            text.remove_prefix(1);
            continue;
        }
        const std::string_view separator =
            !decimalSeparator.empty() && text.starts_with(decimalSeparator) ? decimalSeparator
                                                                            : text.substr(0, 1);
        if (separatorSeen || (separator != "." && separator != decimalSeparator))
            return std::nullopt;
        separatorSeen = true;
        keys.push_back(kDecimalKeyCaption);
        text.remove_prefix(separator.size());
    }
    if (!digitSeen) return std::nullopt;
    if (negative) keys.push_back(SignChangeCaption());
    return keys;
}

}  // namespace calculator
