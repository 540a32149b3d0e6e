#pragma once

#include <string_view>

#include "calculator/engine.h"
#include "calculator/failure.h"

namespace calculator {

/// True for the caption of one of the keypad's keys.
bool IsKeyCaption(std::string_view caption);

/// Runs the engine step of the key with this caption, as a click on that key would. A caption
/// that is not a key's presses nothing.
Failure PressKey(Engine& engine, std::string_view caption);

}  // namespace calculator
