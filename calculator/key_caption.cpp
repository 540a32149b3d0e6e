#include "calculator/key_caption.h"

#include "calculator/keypad.h"

namespace calculator {

bool IsKeyCaption(std::string_view caption) {
    return FindKeypadKey(caption) != nullptr;
}

Failure PressKey(Engine& engine, std::string_view caption) {
    const KeypadKey* key = FindKeypadKey(caption);
    return key ? engine.Press(key->step, caption) : Failure::kNone;
}

}  // namespace calculator
