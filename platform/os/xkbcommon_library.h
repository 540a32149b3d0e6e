#pragma once

#include <xkbcommon/xkbcommon.h>

namespace platform {

// The functions of xkbcommon that the Wayland keyboard and the screen readers' key names call.
// clang-format off
#define TAVIK_XKBCOMMON_FUNCTIONS(X) \
    X(xkb_context_new) \
    X(xkb_context_unref) \
    X(xkb_keymap_key_get_syms_by_level) \
    X(xkb_keymap_key_repeats) \
    X(xkb_keymap_new_from_buffer) \
    X(xkb_keymap_unref) \
    X(xkb_keysym_get_name) \
    X(xkb_state_key_get_one_sym) \
    X(xkb_state_mod_name_is_active) \
    X(xkb_state_new) \
    X(xkb_state_unref) \
    X(xkb_state_update_mask)
// clang-format on

/// xkbcommon as the program calls it: loaded (dlopen) at the first call, never linked, so that
/// a program on X11 that reports no keys to a screen reader maps none of it (about 100 kB
/// resident). The members are the library's functions under their own names.
struct XkbCommon {
#define TAVIK_XKBCOMMON_MEMBER(name) decltype(&::name) name = nullptr;
    TAVIK_XKBCOMMON_FUNCTIONS(TAVIK_XKBCOMMON_MEMBER)
#undef TAVIK_XKBCOMMON_MEMBER
};

/// xkbcommon, loaded at the first call and kept; null when the library or one of the
/// functions is not there.
const XkbCommon* LoadXkbCommon();

}  // namespace platform
