#include "calculator/number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <system_error>

namespace calculator {
namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string_view TakeDigits(std::string_view text, size_t& pos) {
    size_t start = pos;
    while (pos < text.size() && IsDigit(text[pos]))
        ++pos;
    return text.substr(start, pos - start);
}

/// Display text checked against the grammar and rewritten for std::from_chars.
struct Normalized {
    std::string ascii;
    /// Decimal exponent of the leading non-zero digit (0 for 1..9.99, -1 for 0.1..0.999),
    /// saturated; tells a value too large from one too small when from_chars rejects both.
    int64_t magnitude = 0;
};

bool Normalize(std::string_view text, std::string_view separator, Normalized& out) {
    size_t pos = 0;
    bool negative = pos < text.size() && text[pos] == '-';
    if (negative) ++pos;
    std::string_view whole = TakeDigits(text, pos);
    std::string_view rest = text.substr(pos);
    if (!separator.empty() && rest.starts_with(separator)) {
        pos += separator.size();
    } else if (rest.starts_with(',')) {
        pos += 1;
    }
    std::string_view fraction = TakeDigits(text, pos);
    if (whole.empty() && fraction.empty()) return false;

    constexpr int64_t kExponentCap = 1'000'000;
    int64_t exponent = 0;
    bool exponentNegative = false;
    if (pos < text.size() && (text[pos] == 'E' || text[pos] == 'e')) {
        ++pos;
        if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
            exponentNegative = text[pos] == '-';
            ++pos;
        }
        std::string_view digits = TakeDigits(text, pos);
        if (digits.empty()) return false;
        for (char c : digits)
            exponent = std::min(exponent * 10 + (c - '0'), kExponentCap);
        if (exponentNegative) exponent = -exponent;
    }
    if (pos != text.size()) return false;

    out.ascii.clear();
    if (negative) out.ascii += '-';
    out.ascii += whole.empty() ? std::string_view("0") : whole;
    if (!fraction.empty()) {
        out.ascii += '.';
        out.ascii += fraction;
    }
    out.ascii += 'e';
    out.ascii += std::to_string(exponent);

    size_t firstWhole = whole.find_first_not_of('0');
    size_t firstFraction = fraction.find_first_not_of('0');
    if (firstWhole != std::string_view::npos) {
        out.magnitude = static_cast<int64_t>(whole.size() - firstWhole - 1) + exponent;
    } else if (firstFraction != std::string_view::npos) {
        out.magnitude = -static_cast<int64_t>(firstFraction + 1) + exponent;
    }
    return true;
}

template <typename T>
Parsed<T> Parse(std::string_view text, std::string_view separator) {
    Normalized normalized;
    if (!Normalize(text, separator, normalized)) return {T{}, Failure::kNotANumber};
    const char* first = normalized.ascii.data();
    const char* last = first + normalized.ascii.size();
    T value{};
    auto [ptr, ec] = std::from_chars(first, last, value, std::chars_format::general);
    if (ec == std::errc::result_out_of_range) {
        // from_chars rejects both ends of the range; only the large end is a failure.
        if (normalized.magnitude >= 0) return {T{}, Failure::kOutOfRange};
        return {normalized.ascii.front() == '-' ? -T{} : T{}, Failure::kNone};
    }
    if (ec != std::errc{} || ptr != last) return {T{}, Failure::kNotANumber};
    return {value, Failure::kNone};
}

std::string_view StripTrailingZeros(std::string_view digits) {
    if (digits.find('.') == std::string_view::npos) return digits;
    digits.remove_suffix(digits.size() - 1 - digits.find_last_not_of('0'));
    if (digits.back() == '.') digits.remove_suffix(1);
    return digits;
}

template <typename T>
std::string Format(T value, int significantDigits, std::string_view separator) {
    if (std::isnan(value)) return "NaN";
    if (std::isinf(value)) return value < 0 ? "-Infinity" : "Infinity";
    if (value == 0) return "0";

    char buffer[64];
    auto scientific = std::to_chars(buffer, buffer + sizeof buffer, value,
                                    std::chars_format::scientific, significantDigits - 1);
    std::string_view written(buffer, static_cast<size_t>(scientific.ptr - buffer));
    size_t ePos = written.find('e');
    int exponent = std::atoi(std::string(written.substr(ePos + 1)).c_str());

    std::string text;
    if (exponent < -4 || exponent >= significantDigits) {
        text = StripTrailingZeros(written.substr(0, ePos));
        std::string digits = std::to_string(std::abs(exponent));
        text += exponent < 0 ? "E-" : "E+";
        if (digits.size() < 2) text += '0';
        text += digits;
    } else {
        auto fixed = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed,
                                   significantDigits - 1 - exponent);
        text =
            StripTrailingZeros(std::string_view(buffer, static_cast<size_t>(fixed.ptr - buffer)));
    }
    size_t point = text.find('.');
    if (point != std::string::npos) text.replace(point, 1, separator);
    return text;
}

}  // namespace

Parsed<float> ParseSingle(std::string_view text, std::string_view separator) {
    return Parse<float>(text, separator);
}

Parsed<double> ParseDouble(std::string_view text, std::string_view separator) {
    return Parse<double>(text, separator);
}

std::string FormatSingle(float value, std::string_view separator) {
    return Format(value, 7, separator);
}

std::string FormatDouble(double value, std::string_view separator) {
    return Format(value, 15, separator);
}

}  // namespace calculator
