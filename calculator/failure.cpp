#include "calculator/failure.h"

namespace calculator {

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

}  // namespace calculator
