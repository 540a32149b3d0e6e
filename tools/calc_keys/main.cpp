// calc-keys: presses key captions read from standard input on one calculator engine and prints
// the display after each key, for scripting and testing the arithmetic without a window.
//
//   calc-keys [--decimal-separator C] < keys
//
// Each output line is the display text in brackets, followed by " failed: CAUSE" when the key's
// handler failed. An unknown caption is reported before any key is pressed (exit status 2).

#include <iostream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "calculator/decimal_separator.h"
#include "calculator/engine.h"
#include "calculator/failure.h"
#include "calculator/key_caption.h"

int main(int argc, char** argv) {
    std::string separator;
    std::vector<std::string_view> args(argv + 1, argv + argc);
    if (args.size() == 2 && args[0] == "--decimal-separator" && !args[1].empty()) {
        separator = args[1];
    } else if (args.empty()) {
        separator = calculator::DecimalSeparatorFromEnvironment();
    } else {
        std::cerr << "usage: calc-keys [--decimal-separator C] < keys\n";
        return 2;
    }

    std::vector<std::string> captions{std::istream_iterator<std::string>(std::cin),
                                      std::istream_iterator<std::string>()};
    for (const std::string& caption : captions) {
        if (!calculator::IsKeyCaption(caption)) {
            std::cerr << "calc-keys: unknown key caption \"" << caption << "\"\n";
            return 2;
        }
    }

    calculator::Engine engine(separator);
    for (const std::string& caption : captions) {
        calculator::Failure failure = calculator::PressKey(engine, caption);
        std::cout << '[' << engine.State().displayText << ']';
        if (failure != calculator::Failure::kNone) {
            std::cout << " failed: " << calculator::FailureText(failure);
        }
        std::cout << '\n';
    }
    return 0;
}
