#pragma once

#include <gtest/gtest.h>

#include <ostream>
#include <sstream>
#include <string>
#include <string_view>

#include "calculator/engine.h"
#include "calculator/key_caption.h"

namespace calculator {

/// Presses the space-separated key captions in order and returns the last key's failure; an
/// earlier key that fails is a test failure, since the sequences set up a state step by step.
/// Shows a state in test failure messages.
inline void PrintTo(const EngineState& state, std::ostream* out) {
    *out << "{\"" << state.displayText << "\", " << state.firstOperand << ", "
         << state.secondOperand << ", \"" << state.pendingOperator << "\", " << state.equalsCount
         << "}";
}

inline Failure PressKeys(Engine& engine, std::string_view keys) {
    std::istringstream captions{std::string(keys)};
    std::string caption;
    Failure failure = Failure::kNone;
    while (captions >> caption) {
        EXPECT_EQ(failure, Failure::kNone)
            << "a key before \"" << caption << "\" failed in: " << keys;
        EXPECT_TRUE(IsKeyCaption(caption)) << caption;
        failure = PressKey(engine, caption);
    }
    return failure;
}

}  // namespace calculator
