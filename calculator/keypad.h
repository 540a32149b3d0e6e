#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "calculator/key_step.h"

namespace calculator {

/// A place and size on the calculator window, in twips.
struct TwipsBounds {
    int32_t left;
    int32_t top;
    int32_t width;
    int32_t height;
};

/// The colours a key is stored with: OLE colours 0x00BBGGRR, which it keeps while the pointer
/// is over it, and the colour scheme of its look.
struct KeyColours {
    uint32_t back;
    uint32_t fore;
    int32_t scheme;
};

/// Keys of the keyboard that type no character of their own, as their keycaps name them;
/// Enter is the main Return key and the keypad's Enter alike.
enum class NamedKey : uint8_t { kNone, kEnter, kBackspace, kEscape, kDelete, kF9 };

/// What typed on the keyboard presses a key of the keypad: any of its characters, as the
/// keyboard layout types them (the keypad's digits, decimal key and operators type theirs), or
/// any of its named keys. While Ctrl or Alt is held nothing is typed.
struct KeyBindings {
    std::string_view characters = {};
    std::array<NamedKey, 2> keys = {};
};

/// One key of the keypad: the control that shows it (its name, and its index when the control
/// belongs to an indexed group), its caption, its place and tab index on the calculator window,
/// the engine step a press runs, what typed on the keyboard presses it, the colours it is stored
/// with, and the name a screen reader speaks for it.
struct KeypadKey {
    std::string_view name;
    std::optional<int32_t> index = std::nullopt;
    std::string_view caption;
    TwipsBounds bounds;
    int32_t tabIndex;
    KeyStep step;
    KeyBindings bindings = {};
    KeyColours colours;
    std::string_view spokenName;
};

namespace key_colours {
inline constexpr KeyColours kBlackOnGrey{0x00E0E0E0, 0x00000000, 1};
inline constexpr KeyColours kWhiteOnBlue{0x00FF0000, 0x00FFFFFF, 1};
inline constexpr KeyColours kPurpleOnGrey{0x00E0E0E0, 0x00800080, 2};
inline constexpr KeyColours kWhiteOnRed{0x000000FF, 0x00FFFFFF, 2};
}  // namespace key_colours

/// The caption of the decimal key, which enters the user's decimal separator.
inline constexpr std::string_view kDecimalKeyCaption = ",";

/// The calculator's keys, in the order their stored settings are kept.
inline constexpr auto kKeypad = std::to_array<KeypadKey>({
    {.name = "cmdNumber",
     .index = 0,
     .caption = "1",
     .bounds = {360, 840, 495, 495},
     .tabIndex = 1,
     .step = KeyStep::kEntry,
     .bindings = {.characters = "1"},
     .colours = key_colours::kBlackOnGrey,
     .spokenName = "1"},
    {.name = "cmdNumber",
     .index = 1,
     .caption = "2",
     .bounds = {960, 840, 495, 495},
     .tabIndex = 2,
     .step = KeyStep::kEntry,
     .bindings = {.characters = "2"},
     .colours = key_colours::kWhiteOnBlue,
     .spokenName = "2"},
    {.name = "cmdNumber",
     .index = 2,
     .caption = "3",
     .bounds = {1560, 840, 495, 495},
     .tabIndex = 3,
     .step = KeyStep::kEntry,
     .bindings = {.characters = "3"},
     .colours = key_colours::kWhiteOnBlue,
     .spokenName = "3"},
    {.name = "cmdNumber",
     .index = 3,
     .caption = "4",
     .bounds = {360, 1440, 495, 495},
     .tabIndex = 4,
     .step = KeyStep::kEntry,
     .bindings = {.characters = "4"},
     .colours = key_colours::kWhiteOnBlue,
     .spokenName = "4"},
    {.name = "cmdNumber",
     .index = 4,
     .caption = "5",
     .bounds = {960, 1440, 495, 495},
     .tabIndex = 5,
     .step = KeyStep::kEntry,
     .bindings = {.characters = "5"},
     .colours = key_colours::kWhiteOnBlue,
     .spokenName = "5"},
    {.name = "cmdNumber",
     .index = 5,
     .caption = "6",
     .bounds = {1560, 1440, 495, 495},
     .tabIndex = 6,
     .step = KeyStep::kEntry,
     .bindings = {.characters = "6"},
     .colours = key_colours::kWhiteOnBlue,
     .spokenName = "6"},
    {.name = "cmdNumber",
     .index = 6,
     .caption = "7",
     .bounds = {360, 2040, 495, 495},
     .tabIndex = 7,
     .step = KeyStep::kEntry,
     .bindings = {.characters = "7"},
     .colours = key_colours::kWhiteOnBlue,
     .spokenName = "7"},
    {.name = "cmdNumber",
     .index = 7,
     .caption = "8",
     .bounds = {960, 2040, 495, 495},
     .tabIndex = 8,
     .step = KeyStep::kEntry,
     .bindings = {.characters = "8"},
     .colours = key_colours::kWhiteOnBlue,
     .spokenName = "8"},
    {.name = "cmdNumber",
     .index = 8,
     .caption = "9",
     .bounds = {1560, 2040, 495, 495},
     .tabIndex = 9,
     .step = KeyStep::kEntry,
     .bindings = {.characters = "9"},
     .colours = key_colours::kWhiteOnBlue,
     .spokenName = "9"},
    {.name = "cmdNumber",
     .index = 9,
     .caption = "0",
     .bounds = {360, 2640, 495, 495},
     .tabIndex = 10,
     .step = KeyStep::kEntry,
     .bindings = {.characters = "0"},
     .colours = key_colours::kWhiteOnBlue,
     .spokenName = "0"},
    {.name = "cmdNumber",
     .index = 10,
     .caption = ",",
     .bounds = {360, 3240, 495, 495},
     .tabIndex = 11,
     .step = KeyStep::kEntry,
     .bindings = {.characters = ".,"},
     .colours = key_colours::kWhiteOnBlue,
     .spokenName = "decimal point"},
    {.name = "cmdNumber",
     .index = 11,
     .caption = "000",
     .bounds = {1560, 2640, 495, 495},
     .tabIndex = 19,
     .step = KeyStep::kEntry,
     .colours = key_colours::kWhiteOnBlue,
     .spokenName = "triple zero"},
    {.name = "cmdNumber",
     .index = 12,
     .caption = "00",
     .bounds = {960, 2640, 495, 495},
     .tabIndex = 20,
     .step = KeyStep::kEntry,
     .colours = key_colours::kWhiteOnBlue,
     .spokenName = "double zero"},
    {.name = "cmdplusminus",
     .caption = "+/-",
     .bounds = {960, 3240, 1095, 495},
     .tabIndex = 24,
     .step = KeyStep::kSignChange,
     .bindings = {.keys = {NamedKey::kF9}},
     .colours = key_colours::kWhiteOnBlue,
     .spokenName = "change sign"},
    {.name = "cmdClear",
     .caption = "Clear",
     .bounds = {2520, 840, 735, 495},
     .tabIndex = 12,
     .step = KeyStep::kClear,
     .bindings = {.keys = {NamedKey::kEscape, NamedKey::kDelete}},
     .colours = key_colours::kPurpleOnGrey,
     .spokenName = "clear"},
    {.name = "cmdback",
     .caption = "C",
     .bounds = {3600, 840, 735, 495},
     .tabIndex = 18,
     .step = KeyStep::kBackspace,
     .bindings = {.keys = {NamedKey::kBackspace}},
     .colours = key_colours::kPurpleOnGrey,
     .spokenName = "backspace"},
    {.name = "cmdoperator",
     .index = 0,
     .caption = "+",
     .bounds = {2520, 1440, 735, 495},
     .tabIndex = 13,
     .step = KeyStep::kAdd,
     .bindings = {.characters = "+"},
     .colours = key_colours::kPurpleOnGrey,
     .spokenName = "plus"},
    {.name = "cmdoperator",
     .index = 1,
     .caption = "--",
     .bounds = {3600, 1440, 735, 495},
     .tabIndex = 14,
     .step = KeyStep::kSubtract,
     .bindings = {.characters = "-"},
     .colours = key_colours::kPurpleOnGrey,
     .spokenName = "minus"},
    {.name = "cmdoperator",
     .index = 2,
     .caption = "X",
     .bounds = {2520, 2040, 735, 495},
     .tabIndex = 15,
     .step = KeyStep::kMultiply,
     .bindings = {.characters = "*xX"},
     .colours = key_colours::kPurpleOnGrey,
     .spokenName = "times"},
    {.name = "cmdoperator",
     .index = 3,
     .caption = "/",
     .bounds = {3600, 2040, 735, 495},
     .tabIndex = 16,
     .step = KeyStep::kDivide,
     .bindings = {.characters = "/"},
     .colours = key_colours::kPurpleOnGrey,
     .spokenName = "divided by"},
    {.name = "cmdpangkatdua",
     .caption = "x^2",
     .bounds = {2520, 2640, 735, 495},
     .tabIndex = 21,
     .step = KeyStep::kSquare,
     .bindings = {.characters = "q"},
     .colours = key_colours::kPurpleOnGrey,
     .spokenName = "square"},
    {.name = "cmdoperator",
     .index = 4,
     .caption = "%",
     .bounds = {3600, 2640, 735, 495},
     .tabIndex = 26,
     .step = KeyStep::kPercent,
     .bindings = {.characters = "%"},
     .colours = key_colours::kPurpleOnGrey,
     .spokenName = "percent"},
    {.name = "cmdoperator",
     .index = 5,
     .caption = "x^y",
     .bounds = {2520, 3240, 735, 495},
     .tabIndex = 22,
     .step = KeyStep::kPower,
     .bindings = {.characters = "^"},
     .colours = key_colours::kPurpleOnGrey,
     .spokenName = "power"},
    {.name = "cmdakar",
     .caption = "sqrt",
     .bounds = {3600, 3240, 735, 495},
     .tabIndex = 23,
     .step = KeyStep::kSquareRoot,
     .bindings = {.characters = "@"},
     .colours = key_colours::kPurpleOnGrey,
     .spokenName = "square root"},
    {.name = "cmdCalculate",
     .caption = "=",
     .bounds = {2520, 4080, 1815, 495},
     .tabIndex = 17,
     .step = KeyStep::kEquals,
     .bindings = {.characters = "=", .keys = {NamedKey::kEnter}},
     .colours = key_colours::kWhiteOnRed,
     .spokenName = "equals"},
});

/// The key showing `caption`, or null.
const KeypadKey* FindKeypadKey(std::string_view caption);

/// The keyboard key a screen reader names as the one that presses a keypad key: its first
/// character, else its first named key as X keysyms name it ("Return", "BackSpace", "Escape",
/// "Delete", "F9"); empty when nothing typed presses it.
std::string KeyboardShortcutOf(const KeyBindings& bindings);

/// The key that `namedKey` presses, or null.
const KeypadKey* FindKeypadKey(NamedKey namedKey);
/// The key that typing the character `character` presses, or null.
const KeypadKey* FindKeypadKeyTyped(int32_t character);

/// The key that is element `index` of the group of controls named `name`, or null.
const KeypadKey* FindKeypadKey(std::string_view name, int32_t index);

}  // namespace calculator
