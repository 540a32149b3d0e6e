// Reads any text as a number with each separator. The text written for an accepted number
// reads back to a value within one unit of the text's last digit, and no text is accepted as
// single but rejected as double.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "calculator/number_text.h"

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    for (std::string_view separator : {",", ".", "\xD9\xAB"}) {
        calculator::Parsed<float> single = calculator::ParseSingle(text, separator);
        calculator::Parsed<double> wide = calculator::ParseDouble(text, separator);
        if (single.failure == calculator::Failure::kNone) {
            Check(wide.failure == calculator::Failure::kNone);
            std::string written = calculator::FormatSingle(single.value, separator);
            calculator::Parsed<float> again = calculator::ParseSingle(written, separator);
            Check(again.failure == calculator::Failure::kNone);
            Check(std::fabs(again.value - single.value) <= std::fabs(single.value) * 1.01e-6f);
        }
        if (wide.failure == calculator::Failure::kNone) {
            std::string written = calculator::FormatDouble(wide.value, separator);
            calculator::Parsed<double> again = calculator::ParseDouble(written, separator);
            Check(again.failure == calculator::Failure::kNone);
            Check(std::fabs(again.value - wide.value) <= std::fabs(wide.value) * 1.01e-14);
        } else {
            Check(single.failure == wide.failure);
        }
    }
    return 0;
}
