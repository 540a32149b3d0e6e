#pragma once

#include <cstdint>
#include <vector>

namespace keybags {

/// The stored settings of the calculator's keys, made by the control's own save path: for each
/// key of the keypad table a new vbButton in design mode takes the key's settings through its
/// setters and is saved; the blocks follow one another in table order.
std::vector<uint8_t> MakeKeyBags();

}  // namespace keybags
