#pragma once

#include <string>
#include <string_view>

namespace calculator {

/// Why a key handler stopped. A handler that fails leaves the display as it was; the window
/// tells the user with FailureText.
enum class Failure {
    kNone,
    kNotANumber,
    kOutOfRange,
    kOverflow,
    kDivisionByZero,
    kInvalidOperation,
    kCountLimit,
};

/// A short text for the user, such as "Division by zero"; empty for kNone.
std::string_view FailureText(Failure failure);

/// What the user is told of a failure: its short text, and on a line of its own what they can do
/// next; empty for kNone.
std::string FailureMessage(Failure failure);

}  // namespace calculator
