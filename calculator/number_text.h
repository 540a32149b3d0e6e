#pragma once

#include <string>
#include <string_view>

#include "calculator/failure.h"

namespace calculator {

/// A number read from text, or why the text could not be read (kNotANumber, kOutOfRange).
template <typename T>
struct Parsed {
    T value{};
    Failure failure = Failure::kNone;
};

/// Reads display text as a number. Accepted: ['-'] (digits [sep [digits]] | sep digits)
/// [('E'|'e') ['+'|'-'] digits], with at most one decimal separator, where sep is `separator`
/// or "," (the keypad's decimal key always enters a comma). Nothing else: no spaces, no
/// grouping, no "Infinity". Rounds once, directly to the target type; a value that rounds
/// beyond the finite range fails, a tiny one becomes 0 or subnormal.
Parsed<float> ParseSingle(std::string_view text, std::string_view separator);
Parsed<double> ParseDouble(std::string_view text, std::string_view separator);

/// Writes a single with at most 7 significant digits, a double with at most 15, like the C
/// library's %G: exponent form ("1.5E+07", "1E-05") when the decimal exponent after rounding is
/// below -4 or at least the digit count, plain form otherwise; no trailing zeros, no grouping,
/// `separator` only when there is a fraction. Zero is always "0"; infinities are "Infinity"
/// and "-Infinity".
std::string FormatSingle(float value, std::string_view separator);
std::string FormatDouble(double value, std::string_view separator);

}  // namespace calculator
