#include "calculator/decimal_separator.h"

#include <langinfo.h>
#include <locale.h>

namespace calculator {

std::string DecimalSeparatorFromEnvironment() {
    locale_t numeric = newlocale(LC_NUMERIC_MASK, "", locale_t{});
    if (numeric == locale_t{}) return ".";
    std::string separator = nl_langinfo_l(RADIXCHAR, numeric);
    freelocale(numeric);
    return separator.empty() ? "." : separator;
}

}  // namespace calculator
