#include "calculator/failure.h"

namespace calculator {
namespace {

// What the user can do next: the display keeps the text the failed step found.
std::string_view FailureAdvice(Failure failure) {
    switch (failure) {
        case Failure::kNone:
            return "";
        case Failure::kNotANumber:
            return "Take the last character back with C, or press Clear to start again.";
        case Failure::kOutOfRange:
            return "Enter a shorter number, or press Clear to start again.";
        case Failure::kOverflow:
            return "The result is too large to show: press Clear to start again.";
        case Failure::kDivisionByZero:
            return "Enter another number to divide by, or press Clear to start again.";
        case Failure::kInvalidOperation:
            return "The result is not a number: press Clear to start again.";
        case Failure::kCountLimit:
            return "Press Clear to start again.";
    }
    return "";
}

}  // namespace

std::string_view FailureText(Failure failure) {
    switch (failure) {
        case Failure::kNone:
            return "";
        case Failure::kNotANumber:
            return "Invalid number";
        case Failure::kOutOfRange:
            return "Number out of range";
        case Failure::kOverflow:
            return "Overflow";
        case Failure::kDivisionByZero:
            return "Division by zero";
        case Failure::kInvalidOperation:
            return "Invalid operation";
        case Failure::kCountLimit:
            return "Too many repeats";
    }
    return "";
}

std::string FailureMessage(Failure failure) {
    if (failure == Failure::kNone) return {};
    return std::string(FailureText(failure)) + "\r" + std::string(FailureAdvice(failure));
}

}  // namespace calculator
