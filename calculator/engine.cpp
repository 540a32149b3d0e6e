#include "calculator/engine.h"

#include <cmath>
#include <limits>
#include <utility>

#include "calculator/number_text.h"

namespace calculator {
namespace {

constexpr std::string_view kAdd = "+";
constexpr std::string_view kSubtract = "--";
constexpr std::string_view kMultiply = "X";
constexpr std::string_view kDivide = "/";
constexpr std::string_view kPercent = "%";
constexpr std::string_view kPower = "x^y";

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

Engine::Engine(std::string decimalSeparator) : decimalSeparator(std::move(decimalSeparator)) {}

Failure Engine::Entry(std::string_view caption) {
    state.displayText += caption;
    return Failure::kNone;
}

Failure Engine::Operator(std::string_view caption) {
    if (state.displayText.empty()) return Failure::kNone;
    Parsed<float> operand = ParseSingle(state.displayText, decimalSeparator);
    if (operand.failure != Failure::kNone) return operand.failure;
    state.firstOperand = operand.value;
    state.pendingOperator = caption;
    state.displayText.clear();
    state.equalsCount = 0;
    return Failure::kNone;
}

Failure Engine::Equals() {
    if (state.displayText.empty()) return Failure::kNone;
    if (state.equalsCount == std::numeric_limits<int16_t>::max()) return Failure::kCountLimit;
    ++state.equalsCount;
    float result = 0;
    Failure failure = state.equalsCount == 1 ? FirstEquals(result) : FurtherEquals(result);
    if (failure != Failure::kNone) return failure;
    state.displayText = FormatSingle(result, decimalSeparator);
    return Failure::kNone;
}

Failure Engine::FirstEquals(float& result) {
    Parsed<float> operand = ParseSingle(state.displayText, decimalSeparator);
    if (operand.failure != Failure::kNone) return operand.failure;
    state.secondOperand = operand.value;
    const double first = state.firstOperand;
    const double second = state.secondOperand;
    const std::string_view op = state.pendingOperator;
    if (op == kAdd) return RoundChecked(second + first, result);
    if (op == kSubtract) return RoundChecked(first - second, result);
    if (op == kMultiply) return RoundChecked(second * first, result);
    if (op == kDivide) return Divide(first, second, result);
    if (op == kPercent) return RoundChecked(second * first / 100, result);
    if (op == kPower) return Power(first, second, result);
    return Failure::kNone;
}

Failure Engine::FurtherEquals(float& result) {
    const std::string_view op = state.pendingOperator;
    if (op != kAdd && op != kSubtract && op != kMultiply && op != kDivide && op != kPercent &&
        op != kPower) {
        return Failure::kNone;
    }
    Parsed<double> shown = ParseDouble(state.displayText, decimalSeparator);
    if (shown.failure != Failure::kNone) return shown.failure;
    const double d = shown.value;
    const double first = state.firstOperand;
    const double second = state.secondOperand;
    if (op == kAdd) return RoundChecked(d + second, result);
    if (op == kSubtract) return RoundChecked(d - second, result);
    if (op == kMultiply) return RoundChecked(d * second, result);
    if (op == kDivide) return Divide(d, second, result);
    if (op == kPercent) return RoundChecked(d * first / 100, result);
    return Power(d, second, result);
}

Failure Engine::Clear() {
    state.displayText.clear();
    state.equalsCount = 0;
    return Failure::kNone;
}

Failure Engine::Backspace() {
    // The display holds UTF-8 and a decimal separator may take several bytes: drop the UTF-8
    // continuation bytes (10xxxxxx) of the last character, then its lead byte.
    std::string& text = state.displayText;
    while (!text.empty() && (static_cast<unsigned char>(text.back()) & 0xC0) == 0x80) {
        text.pop_back();
    }
    if (!text.empty()) text.pop_back();
    return Failure::kNone;
}

Failure Engine::Square() {
    if (state.displayText.empty()) return Failure::kNone;
    Parsed<double> value = ParseDouble(state.displayText, decimalSeparator);
    if (value.failure != Failure::kNone) return value.failure;
    double square = std::pow(value.value, 2.0);
    if (std::isinf(square)) return Failure::kOverflow;
    state.displayText = FormatDouble(square, decimalSeparator);
    return Failure::kNone;
}

Failure Engine::SquareRoot() {
    if (state.displayText.empty()) return Failure::kNone;
    Parsed<double> value = ParseDouble(state.displayText, decimalSeparator);
    if (value.failure != Failure::kNone) return value.failure;
    if (value.value < 0) return Failure::kInvalidOperation;
    state.displayText = FormatDouble(std::sqrt(value.value), decimalSeparator);
    return Failure::kNone;
}

Failure Engine::SignChange() {
    if (state.displayText.starts_with('-')) {
        state.displayText.erase(0, 1);
    } else {
        state.displayText.insert(0, 1, '-');
    }
    return Failure::kNone;
}

int Engine::FilterKeyPress(int /*charCode*/) {
    return 0;
}

}  // namespace calculator
