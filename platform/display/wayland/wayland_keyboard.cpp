#include "platform/display/wayland/wayland_keyboard.h"

#include <sys/mman.h>
#include <sys/stat.h>

#include <algorithm>

#include "platform/display/keysyms.h"
#include "platform/os/owned.h"
#include "platform/os/xkbcommon_library.h"
#include "platform/ui/keys.h"

namespace platform {

namespace {

// Keymaps number keys as the X protocol does: the Linux input code plus 8.
constexpr uint32_t kKeymapKeyOffset = 8;

// Until the compositor sends repeat_info (older seats never do), keys repeat as an X server
// repeats them by default.
constexpr int32_t kDefaultRepeatRate = 25;
constexpr int32_t kDefaultRepeatDelayMs = 660;

// xkbcommon, which only a keyboard with a context of it calls.
const XkbCommon& Xkb() {
    return *LoadXkbCommon();
}

// Gives up xkbcommon's objects.
struct XkbRelease {
    void operator()(xkb_context* context) const { Xkb().xkb_context_unref(context); }
    void operator()(xkb_keymap* keymap) const { Xkb().xkb_keymap_unref(keymap); }
    void operator()(xkb_state* state) const { Xkb().xkb_state_unref(state); }
};

xkb_context* NewContext() {
    const XkbCommon* xkb = LoadXkbCommon();
    return xkb ? xkb->xkb_context_new(XKB_CONTEXT_NO_ENVIRONMENT_NAMES) : nullptr;
}

}  // namespace

struct WaylandKeyboard::State {
    // No context (xkbcommon missing) takes no keymap, so the keyboard types nothing.
    Owned<xkb_context*, XkbRelease{}> context{NewContext()};
    Owned<xkb_keymap*, XkbRelease{}> keymap;
    Owned<xkb_state*, XkbRelease{}> state;

    int32_t rate = kDefaultRepeatRate;
    int32_t delayMs = kDefaultRepeatDelayMs;
    uint32_t repeatKey = 0;
    int64_t nextRepeatMs = kNoDeadline;

    // The desktop key code of the first symbol on the key's first level in the first layout,
    // as X11 gives it: shortcuts such as Ctrl+C stay on their keys whichever layout is active.
    int32_t KeyCode(xkb_keycode_t code) const {
        if (!state) return 0;
        const xkb_keysym_t* syms = nullptr;
        const int count = Xkb().xkb_keymap_key_get_syms_by_level(keymap.Get(), code, 0, 0, &syms);
        return count > 0 ? DesktopKeyCode(syms[0]) : 0;
    }

    bool ModifierActive(const char* name) const {
        return Xkb().xkb_state_mod_name_is_active(state.Get(), name, XKB_STATE_MODS_EFFECTIVE) > 0;
    }

    Stroke StrokeOf(uint32_t key) const {
        if (!state) return {};
        const xkb_keycode_t code = KeymapCode(key);
        const int32_t keyCode = KeyCode(code);
        // Ctrl and Alt make commands (Ctrl+C, access keys), never text.
        const bool command = ModifierActive(XKB_MOD_NAME_CTRL) || ModifierActive(XKB_MOD_NAME_ALT);
        int32_t character =
            command ? 0 : TypedCharacter(Xkb().xkb_state_key_get_one_sym(state.Get(), code));
        if (character == 0) character = ControlCharacter(keyCode);
        return {keyCode, character};
    }

    bool Repeats(uint32_t key) const {
        return keymap && rate > 0 && Xkb().xkb_keymap_key_repeats(keymap.Get(), KeymapCode(key));
    }

    // Never 0 however fast the rate; only called while rate > 0.
    int64_t IntervalMs() const { return std::max<int64_t>(1, 1000 / rate); }

    void EndRepeat() {
        repeatKey = 0;
        nextRepeatMs = kNoDeadline;
    }
};

uint32_t WaylandKeyboard::KeymapCode(uint32_t key) {
    return key <= XKB_KEYCODE_MAX - kKeymapKeyOffset ? key + kKeymapKeyOffset : 0;
}

WaylandKeyboard::WaylandKeyboard() : state_(std::make_unique<State>()) {}

WaylandKeyboard::~WaylandKeyboard() = default;

bool WaylandKeyboard::SetKeymap(std::string_view text) {
    State& s = *state_;
    // A held key of the old keymap may mean something else in the new one.
    s.EndRepeat();
    s.state.Reset();
    s.keymap.Reset();
    // The compositor's text is a file mapped whole, which usually ends in a NUL.
    while (!text.empty() && text.back() == '\0')
        text.remove_suffix(1);
    if (!s.context || text.empty()) return false;
    s.keymap.Reset(Xkb().xkb_keymap_new_from_buffer(s.context.Get(), text.data(), text.size(),
                                                    XKB_KEYMAP_FORMAT_TEXT_V1,
                                                    XKB_KEYMAP_COMPILE_NO_FLAGS));
    if (s.keymap) s.state.Reset(Xkb().xkb_state_new(s.keymap.Get()));
    if (!s.state) s.keymap.Reset();
    return static_cast<bool>(s.state);
}

bool WaylandKeyboard::SetKeymapFile(int fd, uint32_t size) {
    struct stat file {};
    if (size == 0 || size > kMaxKeymapSize || fstat(fd, &file) != 0 || file.st_size < size)
        return SetKeymap({});
    void* text = mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
    if (text == MAP_FAILED) return SetKeymap({});
    const bool taken = SetKeymap(std::string_view(static_cast<const char*>(text), size));
    munmap(text, size);
    return taken;
}

void WaylandKeyboard::SetModifiers(uint32_t depressed, uint32_t latched, uint32_t locked,
                                   uint32_t group) {
    if (state_->state)
        Xkb().xkb_state_update_mask(state_->state.Get(), depressed, latched, locked, 0, 0, group);
}

int32_t WaylandKeyboard::HeldShift() const {
    const State& s = *state_;
    if (!s.state) return 0;
    return (s.ModifierActive(XKB_MOD_NAME_SHIFT) ? kShiftShift : 0) |
           (s.ModifierActive(XKB_MOD_NAME_CTRL) ? kShiftCtrl : 0) |
           (s.ModifierActive(XKB_MOD_NAME_ALT) ? kShiftAlt : 0);
}

void WaylandKeyboard::SetRepeat(int32_t rate, int32_t delayMs) {
    State& s = *state_;
    s.rate = std::max(rate, 0);
    s.delayMs = std::max(delayMs, 0);
    if (s.rate == 0) s.EndRepeat();
}

WaylandKeyboard::Stroke WaylandKeyboard::Press(uint32_t key, int64_t nowMs) {
    State& s = *state_;
    // A key that does not repeat (a modifier) leaves the held key repeating, so that the
    // repeat follows Shift pressed meanwhile.
    if (s.Repeats(key)) {
        s.repeatKey = key;
        s.nextRepeatMs = nowMs + s.delayMs;
    }
    return s.StrokeOf(key);
}

int32_t WaylandKeyboard::Release(uint32_t key) {
    State& s = *state_;
    if (key == s.repeatKey) s.EndRepeat();
    return s.KeyCode(KeymapCode(key));
}

void WaylandKeyboard::StopRepeat() {
    state_->EndRepeat();
}

uint32_t WaylandKeyboard::Symbol(uint32_t key) const {
    const State& s = *state_;
    return s.state ? Xkb().xkb_state_key_get_one_sym(s.state.Get(), KeymapCode(key)) : 0;
}

uint32_t WaylandKeyboard::RepeatingKey() const {
    return state_->repeatKey;
}

int64_t WaylandKeyboard::NextRepeatMs() const {
    return state_->nextRepeatMs;
}

std::optional<WaylandKeyboard::Stroke> WaylandKeyboard::DueRepeat(int64_t nowMs) {
    State& s = *state_;
    if (s.nextRepeatMs == kNoDeadline || nowMs < s.nextRepeatMs) return std::nullopt;
    const int64_t interval = s.IntervalMs();
    s.nextRepeatMs += interval;
    if (s.nextRepeatMs <= nowMs) s.nextRepeatMs = nowMs + interval;
    return s.StrokeOf(s.repeatKey);
}

}  // namespace platform
