// The keypad table's bindings on the desktop's keyboard layouts: keymaps compiled from the
// system's layouts with xkbcommon, as a compositor compiles them, typed through the Wayland
// backend's keyboard, which gives what the X11 backend gives for the same keys.
#include <gtest/gtest.h>
#include <linux/input-event-codes.h>
#include <xkbcommon/xkbcommon.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "calculator/keypad.h"
#include "calculator/typed_keys.h"
#include "platform/display/wayland/wayland_keyboard.h"

namespace calculator {
namespace {

using Mods = std::vector<const char*>;

struct Keyboard {
    explicit Keyboard(const char* layout) {
        const xkb_rule_names names{"evdev", "pc105", layout, "", ""};
        keymap = xkb_keymap_new_from_names(context, &names, XKB_KEYMAP_COMPILE_NO_FLAGS);
        char* text = keymap ? xkb_keymap_get_as_string(keymap, XKB_KEYMAP_FORMAT_TEXT_V1) : nullptr;
        taken = text && keys.SetKeymap(text);
        std::free(text);
    }
    ~Keyboard() {
        xkb_keymap_unref(keymap);
        xkb_context_unref(context);
    }
    /// The caption of the key that `key` presses with `held` down and Num Lock on; "" for none.
    std::string Caption(uint32_t key, const Mods& held = {}) {
        uint32_t mask = 0;
        for (const char* mod : held)
            mask |= 1u << xkb_keymap_mod_get_index(keymap, mod);
        keys.SetModifiers(mask, 0, 1u << xkb_keymap_mod_get_index(keymap, XKB_MOD_NAME_NUM), 0);
        const platform::WaylandKeyboard::Stroke stroke = keys.Press(key, 0);
        keys.Release(key);
        const KeypadKey* row =
            KeypadKeyTyped({key, stroke.keyCode, stroke.character}, keys.HeldShift());
        return row ? std::string(row->caption) : "";
    }

    xkb_context* context = xkb_context_new(XKB_CONTEXT_NO_ENVIRONMENT_NAMES);
    xkb_keymap* keymap = nullptr;
    platform::WaylandKeyboard keys;
    bool taken = false;
};

constexpr const char* kLayouts[] = {"us", "de", "fr", "ru"};
constexpr uint32_t kDigitRow[] = {KEY_1, KEY_2, KEY_3, KEY_4, KEY_5,
                                  KEY_6, KEY_7, KEY_8, KEY_9, KEY_0};
constexpr uint32_t kKeypadDigits[] = {KEY_KP1, KEY_KP2, KEY_KP3, KEY_KP4, KEY_KP5,
                                      KEY_KP6, KEY_KP7, KEY_KP8, KEY_KP9, KEY_KP0};

// The French layout types its digits with Shift; unshifted its digit row types signs.
TEST(KeyBindingsTest, TheDigitRowAndTheKeypadPressTheirKeysOnEveryLayout) {
    const std::pair<uint32_t, const char*> named[] = {
        {KEY_KPDOT, ","},   {KEY_KPPLUS, "+"},     {KEY_KPMINUS, "--"}, {KEY_KPASTERISK, "X"},
        {KEY_KPSLASH, "/"}, {KEY_KPENTER, "="},    {KEY_ENTER, "="},    {KEY_BACKSPACE, "C"},
        {KEY_ESC, "Clear"}, {KEY_DELETE, "Clear"}, {KEY_F9, "+/-"},     {KEY_TAB, ""},
        {KEY_SPACE, ""},    {KEY_F4, ""}};
    for (const char* layout : kLayouts) {
        SCOPED_TRACE(layout);
        Keyboard keyboard(layout);
        ASSERT_TRUE(keyboard.taken);
        const Mods digits = std::string(layout) == "fr" ? Mods{XKB_MOD_NAME_SHIFT} : Mods{};
        for (size_t i = 0; i < 10; ++i) {
            const std::string digit(1, static_cast<char>('0' + (i + 1) % 10));
            EXPECT_EQ(keyboard.Caption(kDigitRow[i], digits), digit);
            EXPECT_EQ(keyboard.Caption(kKeypadDigits[i]), digit);
            EXPECT_EQ(keyboard.Caption(kDigitRow[i], {XKB_MOD_NAME_CTRL}), "");
        }
        for (const auto& [key, caption] : named)
            EXPECT_EQ(keyboard.Caption(key), caption) << "key " << key;
        EXPECT_EQ(keyboard.Caption(KEY_ENTER, {XKB_MOD_NAME_ALT}), "");
    }
}

}  // namespace
}  // namespace calculator
