// Presses any sequence of keys on the engine. No sequence may crash it, and the handlers keep
// their promises: a failing handler leaves the display alone, the equals count stays within
// its range, and every number the engine writes can be read back.
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "calculator/engine.h"
#include "calculator/key_caption.h"
#include "calculator/keypad.h"
#include "calculator/number_text.h"

namespace {

constexpr std::array<std::string_view, 3> kSeparators = {",", ".", "\xD9\xAB"};

void Check(bool condition) {
    if (!condition) std::abort();
}

void CheckSingleText(const std::string& text, std::string_view separator) {
    if (text == "Infinity" || text == "-Infinity") return;
    Check(calculator::ParseSingle(text, separator).failure == calculator::Failure::kNone);
}

void CheckDoubleText(const std::string& text, std::string_view separator) {
    Check(calculator::ParseDouble(text, separator).failure == calculator::Failure::kNone);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const std::string_view separator = kSeparators[data[0] % kSeparators.size()];
    calculator::Engine engine{std::string(separator)};
    for (size_t i = 1; i < size; ++i) {
        const calculator::KeypadKey& key =
            calculator::kKeypad[data[i] % calculator::kKeypad.size()];
        const std::string before = engine.State().displayText;
        const calculator::Failure failure = calculator::PressKey(engine, key.caption);
        const std::string& after = engine.State().displayText;
        Check(engine.State().equalsCount >= 0);
        if (failure != calculator::Failure::kNone) {
            Check(after == before);
        } else if (key.step == calculator::KeyStep::kEquals && !before.empty()) {
            CheckSingleText(after, separator);
        } else if ((key.step == calculator::KeyStep::kSquare ||
                    key.step == calculator::KeyStep::kSquareRoot) &&
                   !before.empty()) {
            CheckDoubleText(after, separator);
        }
    }
    return 0;
}
