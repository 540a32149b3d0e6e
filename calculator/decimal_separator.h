#pragma once

#include <string>

namespace calculator {

/// The decimal separator of the user's number format, as the C library resolves LC_ALL,
/// LC_NUMERIC and LANG. It may be several bytes long in UTF-8 locales. Reads the environment
/// without touching the process's global locale; falls back to "." when the environment names
/// a locale that is not installed.
std::string DecimalSeparatorFromEnvironment();

}  // namespace calculator
