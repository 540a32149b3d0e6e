#include "platform/display/wayland/wayland_keyboard.h"

#include <gtest/gtest.h>
#include <linux/input-event-codes.h>
#include <sys/mman.h>
#include <unistd.h>
#include <xkbcommon/xkbcommon.h>

#include <cstdlib>
#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "platform/os/owned.h"
#include "platform/ui/keys.h"

namespace platform {

static void PrintTo(const WaylandKeyboard::Stroke& s, std::ostream* os) {
    *os << "{" << s.keyCode << ", " << s.character << "}";
}

namespace {

using Stroke = WaylandKeyboard::Stroke;
using Mods = std::vector<const char*>;
const char *const kShift = XKB_MOD_NAME_SHIFT, *const kCaps = XKB_MOD_NAME_CAPS,
                  *const kNum = XKB_MOD_NAME_NUM;

// A keymap compiled from the system's layouts, sent as a compositor sends it: a text ending in
// a NUL, and modifier masks with the keymap's own bits.
struct Keymap {
    explicit Keymap(const char* layouts) {
        const xkb_rule_names names{"evdev", "pc105", layouts, "", ""};
        keymap = xkb_keymap_new_from_names(context, &names, XKB_KEYMAP_COMPILE_NO_FLAGS);
        char* text = keymap ? xkb_keymap_get_as_string(keymap, XKB_KEYMAP_FORMAT_TEXT_V1) : nullptr;
        sent = text ? std::string(text) + '\0' : "";
        std::free(text);
    }
    ~Keymap() {
        xkb_keymap_unref(keymap);
        xkb_context_unref(context);
    }
    uint32_t Mask(const Mods& mods) const {
        uint32_t mask = 0;
        for (const char* mod : mods)
            mask |= 1u << xkb_keymap_mod_get_index(keymap, mod);
        return mask;
    }
    xkb_context* context = xkb_context_new(XKB_CONTEXT_NO_ENVIRONMENT_NAMES);
    xkb_keymap* keymap = nullptr;
    std::string sent;
};

TEST(WaylandKeyboard, GivesTheFirstLevelsKeyCodeAndTheTypedCharacter) {
    const struct {
        const char* layouts;
        Mods depressed, locked;
        uint32_t group, key;
        Stroke stroke;
    } cases[] = {
        {"us", {}, {}, 0, KEY_A, {'A', 'a'}},
        {"us", {kShift}, {}, 0, KEY_A, {'A', 'A'}},
        {"us", {}, {kCaps}, 0, KEY_A, {'A', 'A'}},
        {"us", {kShift}, {kCaps}, 0, KEY_A, {'A', 'a'}},
        {"us", {kShift}, {}, 0, KEY_2, {'2', '@'}},
        {"us", {}, {kCaps}, 0, KEY_2, {'2', '2'}},
        {"de", {}, {}, 0, KEY_Z, {'Y', 'y'}},
        {"de", {}, {}, 0, KEY_Y, {'Z', 'z'}},
        {"de", {kShift}, {}, 0, KEY_7, {'7', '/'}},
        {"us", {}, {}, 0, KEY_KP1, {0, 0}},
        {"us", {}, {kNum}, 0, KEY_KP1, {0, '1'}},
        {"us", {}, {kNum}, 0, KEY_KPDOT, {0, '.'}},
        {"us", {}, {}, 0, KEY_KPENTER, {'\r', '\r'}},
        {"us", {}, {}, 0, KEY_ENTER, {'\r', '\r'}},
        {"us", {}, {}, 0, KEY_BACKSPACE, {'\b', '\b'}},
        {"us", {}, {}, 0, KEY_ESC, {27, 27}},
        {"us", {}, {}, 0, KEY_TAB, {'\t', 0}},
        {"us", {}, {}, 0, KEY_LEFTSHIFT, {16, 0}},
        {"us", {XKB_MOD_NAME_CTRL}, {}, 0, KEY_C, {'C', 0}},
        {"us", {XKB_MOD_NAME_ALT}, {}, 0, KEY_A, {'A', 0}},
        {"us", {XKB_MOD_NAME_CTRL}, {}, 0, KEY_ENTER, {'\r', '\r'}},
        {"us", {}, {}, 0, 0xFFFFFFFF, {0, 0}},
        // Cyrillic letters have legacy key symbols, which type nothing, as on X11.
        {"ru", {}, {}, 0, KEY_A, {0, 0}},
        {"ru", {}, {}, 0, KEY_SLASH, {0, '.'}},
        {"us,ru", {}, {}, 1, KEY_SLASH, {0, '.'}},
        {"us,ru", {}, {}, 1, KEY_A, {'A', 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.layouts << " group " << c.group << " key " << c.key);
        const Keymap keymap(c.layouts);
        WaylandKeyboard keyboard;
        ASSERT_TRUE(keyboard.SetKeymap(keymap.sent));
        keyboard.SetModifiers(keymap.Mask(c.depressed), 0, keymap.Mask(c.locked), c.group);
        EXPECT_EQ(keyboard.Press(c.key, 0), c.stroke);
        EXPECT_EQ(keyboard.Release(c.key), c.stroke.keyCode);
    }
}

TEST(WaylandKeyboard, HeldShiftFollowsTheReportedModifiers) {
    const Keymap keymap("us");
    WaylandKeyboard keyboard;
    EXPECT_EQ(keyboard.HeldShift(), 0);  // no keymap yet
    ASSERT_TRUE(keyboard.SetKeymap(keymap.sent));
    const std::pair<Mods, int32_t> cases[] = {
        {{}, 0},
        {{kShift}, kShiftShift},
        {{XKB_MOD_NAME_CTRL, XKB_MOD_NAME_ALT}, kShiftCtrl | kShiftAlt},
        {{kCaps, kNum}, 0},
        {{}, 0},
    };
    for (const auto& [depressed, shift] : cases) {
        keyboard.SetModifiers(keymap.Mask(depressed), 0, 0, 0);
        EXPECT_EQ(keyboard.HeldShift(), shift);
    }
}

TEST(WaylandKeyboard, KeepsOnlyKeymapsThatCompile) {
    const std::string us = Keymap("us").sent;
    const std::pair<std::string, bool> cases[] = {{us.substr(0, us.size() - 1), true},
                                                  {us + std::string(3, '\0'), true},
                                                  {"", false},
                                                  {std::string(3, '\0'), false},
                                                  {"xkb_keymap { ? };", false},
                                                  {us.substr(0, us.size() / 2), false}};
    for (const auto& [text, compiles] : cases) {
        SCOPED_TRACE(text.substr(0, 40));
        WaylandKeyboard keyboard;
        EXPECT_EQ(keyboard.Press(KEY_A, 0), Stroke{});
        ASSERT_TRUE(keyboard.SetKeymap(us));
        keyboard.Press(KEY_A, 0);
        EXPECT_EQ(keyboard.SetKeymap(text), compiles);
        EXPECT_EQ(keyboard.NextRepeatMs(), kNoDeadline);
        EXPECT_EQ(keyboard.Press(KEY_A, 0), (compiles ? Stroke{'A', 'a'} : Stroke{}));
        EXPECT_EQ(keyboard.Release(KEY_A), compiles ? 'A' : 0);
    }
}

enum class Op { kRepeatInfo, kPress, kRelease, kShift, kStop, kDue };
constexpr int64_t kNone = kNoDeadline;
constexpr Stroke kA{'A', 'a'};

TEST(WaylandKeyboard, RepeatsTheHeldKey) {
    // One recorded run of events. kRepeatInfo gives the rate and the delay, kShift whether Shift
    // is down, the other steps a key and the time. Each step ends with the next repeat expected.
    const struct {
        Op op;
        int32_t arg;
        int64_t ms;
        std::optional<Stroke> due;
        int64_t next;
    } steps[] = {
        {Op::kPress, KEY_A, 0, {}, 660},  // as an X server until told otherwise
        {Op::kRelease, KEY_A, 10, {}, kNone},
        {Op::kRepeatInfo, 25, 500, {}, kNone},
        {Op::kPress, KEY_A, 1000, {}, 1500},
        {Op::kDue, 0, 1499, {}, 1500},
        {Op::kDue, 0, 1500, kA, 1540},
        {Op::kDue, 0, 1600, kA, 1640},  // late: one repeat, not a burst
        {Op::kDue, 0, 1639, {}, 1640},
        {Op::kPress, KEY_2, 1700, {}, 2200},
        {Op::kRelease, KEY_A, 1800, {}, 2200},
        {Op::kPress, KEY_LEFTSHIFT, 1900, {}, 2200},
        {Op::kShift, 1, 1900, {}, 2200},
        {Op::kDue, 0, 2200, Stroke{'2', '@'}, 2240},
        {Op::kRelease, KEY_LEFTSHIFT, 2210, {}, 2240},
        {Op::kShift, 0, 2210, {}, 2240},
        {Op::kRelease, KEY_2, 2220, {}, kNone},
        {Op::kDue, 0, 2300, {}, kNone},
        {Op::kPress, KEY_LEFTSHIFT, 3000, {}, kNone},  // modifiers do not repeat
        {Op::kPress, KEY_A, 3000, {}, 3500},
        {Op::kStop, 0, 3100, {}, kNone},
        {Op::kPress, KEY_A, 4000, {}, 4500},
        {Op::kRepeatInfo, 0, 500, {}, kNone},
        {Op::kPress, KEY_A, 5000, {}, kNone},
        {Op::kRepeatInfo, 3, 0, {}, kNone},
        {Op::kPress, KEY_A, 6000, {}, 6000},
        {Op::kDue, 0, 6000, kA, 6333},
        {Op::kRepeatInfo, 5000, 10, {}, 6333},
        {Op::kDue, 0, 6333, kA, 6334},
    };
    const Keymap keymap("us");
    WaylandKeyboard keyboard;
    ASSERT_TRUE(keyboard.SetKeymap(keymap.sent));
    for (size_t i = 0; i < std::size(steps); ++i) {
        const auto& step = steps[i];
        SCOPED_TRACE(testing::Message() << "step " << i);
        const auto key = static_cast<uint32_t>(step.arg);
        if (step.op == Op::kRepeatInfo) keyboard.SetRepeat(step.arg, static_cast<int32_t>(step.ms));
        if (step.op == Op::kPress) keyboard.Press(key, step.ms);
        if (step.op == Op::kRelease) keyboard.Release(key);
        if (step.op == Op::kShift)
            keyboard.SetModifiers(step.arg ? keymap.Mask({kShift}) : 0, 0, 0, 0);
        if (step.op == Op::kStop) keyboard.StopRepeat();
        std::optional<Stroke> due;
        if (step.op == Op::kDue) due = keyboard.DueRepeat(step.ms);
        EXPECT_EQ(due, step.due);
        EXPECT_EQ(keyboard.NextRepeatMs(), step.next);
    }
}

TEST(WaylandKeyboard, TakesAKeymapFileOnlyWithinItsSizeAndTheLimit) {
    const Keymap keymap("us");
    const size_t text = keymap.sent.size(), most = WaylandKeyboard::kMaxKeymapSize;
    const struct {
        size_t file, stated;
        bool taken;
    } cases[] = {{text, text, true},
                 {text, text + (64 << 10), false},  // past the file's end
                 {most, most, true},
                 {most + 1, most + 1, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.stated << " bytes of a file of " << c.file);
        const OwnedFd fd(memfd_create("keymap", MFD_CLOEXEC));
        ASSERT_EQ(write(fd.Get(), keymap.sent.data(), text), static_cast<ssize_t>(text));
        ASSERT_EQ(ftruncate(fd.Get(), static_cast<off_t>(c.file)), 0);
        WaylandKeyboard keyboard;
        EXPECT_EQ(keyboard.SetKeymapFile(fd.Get(), static_cast<uint32_t>(c.stated)), c.taken);
        EXPECT_EQ(keyboard.Press(KEY_A, 0), (c.taken ? Stroke{'A', 'a'} : Stroke{}));
    }
}

}  // namespace
}  // namespace platform
