#pragma once

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

namespace calculator {

/// The most characters a pasted number may have, without the white space around it.
inline constexpr size_t kMaxPastedNumberLength = 30;

/// The captions of the keypad keys that enter `text` as a number, in order: its digits and the
/// decimal key, then "+/-" for a negative number. Nullopt when `text`, with the white space
/// around it trimmed, is no number that the display can show: an optional leading "-", at least
/// one digit, at most one decimal separator ("." or `decimalSeparator`), at most
/// kMaxPastedNumberLength characters in all. The work is bounded by that length, whatever the
/// size of `text` beyond its white space.
std::optional<std::vector<std::string_view>> KeysForPastedNumber(std::string_view text,
                                                                 std::string_view decimalSeparator);

}  // namespace calculator
