#pragma once

#include <cstdint>
#include <vector>

namespace keybags {

/// The stored settings of the calculator's 25 keys, made by the control's own save path: for
/// each key of the calculator's keypad table a new vbButton in design mode takes the key's settings
/// through its setters and is saved; the 25 blocks follow one another in table order.
std::vector<uint8_t> MakeKeyBags();

}  // namespace keybags
