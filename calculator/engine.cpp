#include "calculator/engine.h"

#include <cmath>
#include <limits>
#include <optional>
#include <utility>

#include "calculator/keypad.h"
#include "calculator/number_text.h"

namespace calculator {
namespace {

/// The step of the operator key showing `caption`; none when no operator key shows it.
std::optional<KeyStep> OperatorStep(std::string_view caption) {
    const KeypadKey* key = FindKeypadKey(caption);
    if (!key || !IsOperatorStep(key->step)) return std::nullopt;
    return key->step;
}

/// Rounds a double result to single, failing where the arithmetic would have raised the
/// invalid or overflow condition. Checked on the values rather than the floating-point status
/// flags, which the compiler may move the arithmetic around.
Failure RoundChecked(double exact, float& result) {
    if (std::isnan(exact)) return Failure::kInvalidOperation;
    float rounded = static_cast<float>(exact);
    if (std::isinf(rounded)) return Failure::kOverflow;
    result = rounded;
    return Failure::kNone;
}

Failure Divide(double dividend, double divisor, float& result) {
    if (divisor == 0) return Failure::kDivisionByZero;
    return RoundChecked(dividend / divisor, result);
}

/// The power has no overflow check after rounding to single: a value beyond the single range
/// becomes an infinite single. It still needs a real, finite double value.
Failure Power(double base, double exponent, float& result) {
    if (base == 0 && exponent < 0) return Failure::kDivisionByZero;
    double exact = std::pow(base, exponent);
    if (std::isnan(exact)) return Failure::kInvalidOperation;
    if (std::isinf(exact)) return Failure::kOverflow;
    result = static_cast<float>(exact);
    return Failure::kNone;
}

}  // namespace

Engine::Engine(std::string decimalSeparator) : decimalSeparator_(std::move(decimalSeparator)) {}

Failure Engine::Press(KeyStep step, std::string_view caption) {
    switch (step) {
        case KeyStep::kEntry:
            return Entry(caption);
        case KeyStep::kAdd:
        case KeyStep::kSubtract:
        case KeyStep::kMultiply:
        case KeyStep::kDivide:
        case KeyStep::kPercent:
        case KeyStep::kPower:
            return Operator(caption);
        case KeyStep::kEquals:
            return Equals();
        case KeyStep::kClear:
            return Clear();
        case KeyStep::kBackspace:
            return Backspace();
        case KeyStep::kSquare:
            return Square();
        case KeyStep::kSquareRoot:
            return SquareRoot();
        case KeyStep::kSignChange:
            return SignChange();
    }
    return Failure::kNone;
}

Failure Engine::Entry(std::string_view caption) {
    // The decimal key shows the separator that the display is read and written with, and enters
    // it; its stored caption, a comma, still names it (a paste, the keys read by calc-keys).
    state_.displayText +=
        caption == kDecimalKeyCaption ? std::string_view(decimalSeparator_) : caption;
    return Failure::kNone;
}

Failure Engine::Operator(std::string_view caption) {
    if (state_.displayText.empty()) return Failure::kNone;
    Parsed<float> operand = ParseSingle(state_.displayText, decimalSeparator_);
    if (operand.failure != Failure::kNone) return operand.failure;
    state_.firstOperand = operand.value;
    state_.pendingOperator = caption;
    state_.displayText.clear();
    state_.equalsCount = 0;
    return Failure::kNone;
}

Failure Engine::Equals() {
    if (state_.displayText.empty()) return Failure::kNone;
    if (state_.equalsCount == std::numeric_limits<int16_t>::max()) return Failure::kCountLimit;
    ++state_.equalsCount;
    float result = 0;
    Failure failure = state_.equalsCount == 1 ? FirstEquals(result) : FurtherEquals(result);
    if (failure != Failure::kNone) return failure;
    state_.displayText = FormatSingle(result, decimalSeparator_);
    return Failure::kNone;
}

Failure Engine::FirstEquals(float& result) {
    Parsed<float> operand = ParseSingle(state_.displayText, decimalSeparator_);
    if (operand.failure != Failure::kNone) return operand.failure;
    state_.secondOperand = operand.value;
    const double first = state_.firstOperand;
    const double second = state_.secondOperand;
    const std::optional<KeyStep> op = OperatorStep(state_.pendingOperator);
    if (op == KeyStep::kAdd) return RoundChecked(second + first, result);
    if (op == KeyStep::kSubtract) return RoundChecked(first - second, result);
    if (op == KeyStep::kMultiply) return RoundChecked(second * first, result);
    if (op == KeyStep::kDivide) return Divide(first, second, result);
    if (op == KeyStep::kPercent) return RoundChecked(second * first / 100, result);
    if (op == KeyStep::kPower) return Power(first, second, result);
    return Failure::kNone;
}

Failure Engine::FurtherEquals(float& result) {
    const std::optional<KeyStep> op = OperatorStep(state_.pendingOperator);
    if (!op) return Failure::kNone;
    Parsed<double> shown = ParseDouble(state_.displayText, decimalSeparator_);
    if (shown.failure != Failure::kNone) return shown.failure;
    const double d = shown.value;
    const double first = state_.firstOperand;
    const double second = state_.secondOperand;
    if (op == KeyStep::kAdd) return RoundChecked(d + second, result);
    if (op == KeyStep::kSubtract) return RoundChecked(d - second, result);
    if (op == KeyStep::kMultiply) return RoundChecked(d * second, result);
    if (op == KeyStep::kDivide) return Divide(d, second, result);
    if (op == KeyStep::kPercent) return RoundChecked(d * first / 100, result);
    return Power(d, second, result);
}

Failure Engine::Clear() {
    state_.displayText.clear();
    state_.equalsCount = 0;
    return Failure::kNone;
}

Failure Engine::Backspace() {
    // The display holds UTF-8 and a decimal separator may take several bytes: drop the UTF-8
    // continuation bytes (10xxxxxx) of the last character, then its lead byte.
    std::string& text = state_.displayText;
    while (!text.empty() && (static_cast<unsigned char>(text.back()) & 0xC0) == 0x80) {
        text.pop_back();
    }
    if (!text.empty()) text.pop_back();
    return Failure::kNone;
}

Failure Engine::Square() {
    if (state_.displayText.empty()) return Failure::kNone;
    Parsed<double> value = ParseDouble(state_.displayText, decimalSeparator_);
    if (value.failure != Failure::kNone) return value.failure;
    double square = std::pow(value.value, 2.0);
    if (std::isinf(square)) return Failure::kOverflow;
    state_.displayText = FormatDouble(square, decimalSeparator_);
    return Failure::kNone;
}

Failure Engine::SquareRoot() {
    if (state_.displayText.empty()) return Failure::kNone;
    Parsed<double> value = ParseDouble(state_.displayText, decimalSeparator_);
    if (value.failure != Failure::kNone) return value.failure;
    if (value.value < 0) return Failure::kInvalidOperation;
    state_.displayText = FormatDouble(std::sqrt(value.value), decimalSeparator_);
    return Failure::kNone;
}

Failure Engine::SignChange() {
    if (state_.displayText.starts_with('-')) {
        state_.displayText.erase(0, 1);
    } else {
        state_.displayText.insert(0, 1, '-');
    }
    return Failure::kNone;
}

int Engine::FilterKeyPress(int /*charCode*/) {
    return 0;
}

}  // namespace calculator
