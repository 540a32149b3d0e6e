#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "calculator/failure.h"
#include "calculator/key_step.h"

namespace calculator {

/// Everything the calculator remembers between key presses. The display text is the only
/// place where the current entry or result lives.
struct EngineState {
    std::string displayText;
    /// Left operand, taken from the display by an operator key.
    float firstOperand = 0;
    /// Right operand, taken from the display by the first equals after an operator key.
    float secondOperand = 0;
    /// Caption of the operator key pressed last; the keypad's key with this caption says what
    /// the equals key does with the operands.
    std::string pendingOperator;
    /// Equals evaluations since the last Clear or operator key; 1 right after the first.
    int16_t equalsCount = 0;

    friend bool operator==(const EngineState&, const EngineState&) = default;
};

/// The calculator's arithmetic, driven one key at a time. Each handler runs to completion and
/// returns why it stopped early, if it did; a failing handler keeps the state changes made
/// before the failing step and makes none after it, and never writes the display.
class Engine {
  public:
    /// `decimalSeparator` is the user's separator for numbers written to the display; display
    /// text is read with it and with ",".
    explicit Engine(std::string decimalSeparator);

    const EngineState& State() const { return state_; }
    /// The display's text as the display box holds it now, edits by the user included.
    void SetDisplayText(std::string text) { state_.displayText = std::move(text); }

    /// Runs the handler that `step` names for the key showing `caption`.
    Failure Press(KeyStep step, std::string_view caption);

    /// Entry keys (digits, zeros, the decimal key): appends the key's caption to the display,
    /// unchecked; the decimal key appends the decimal separator.
    Failure Entry(std::string_view caption);
    /// Operator keys, by caption: takes the display as the first operand and clears it.
    Failure Operator(std::string_view caption);
    /// Equals: evaluates the pending operator, or repeats it on the value shown.
    Failure Equals();
    /// Clear: empties the display and restarts the equals sequence; operands stay.
    Failure Clear();
    /// Backspace: drops the last character of the display (a whole UTF-8 character).
    Failure Backspace();
    /// Square, in double precision.
    Failure Square();
    /// Square root, in double precision.
    Failure SquareRoot();
    /// Sign change: adds or removes a leading "-" on the text itself.
    Failure SignChange();

    /// The display accepts no typed characters: every character code becomes 0.
    static int FilterKeyPress(int charCode);

  private:
    Failure FirstEquals(float& result);
    Failure FurtherEquals(float& result);

    std::string decimalSeparator_;
    EngineState state_;
};

}  // namespace calculator
