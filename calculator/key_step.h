#pragma once

namespace calculator {

/// What a press of a keypad key asks of the engine. The operator keys share one handler, which
/// takes the first operand; their steps tell the arithmetic the equals key then does.
enum class KeyStep {
    kEntry,
    kAdd,
    kSubtract,
    kMultiply,
    kDivide,
    kPercent,
    kPower,
    kEquals,
    kClear,
    kBackspace,
    kSquare,
    kSquareRoot,
    kSignChange,
};

constexpr bool IsOperatorStep(KeyStep step) {
    return step >= KeyStep::kAdd && step <= KeyStep::kPower;
}

}  // namespace calculator
