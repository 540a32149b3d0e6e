#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/gfx/geometry.h"

namespace platform {

/// What an accessible object is to a screen reader. NoRole: the window says nothing of itself
/// and is left out of the accessible tree (its children take its place).
enum class AccessibleRole : uint8_t {
    NoRole,
    Application,
    Frame,
    Window,
    Alert,
    PushButton,
    CheckBox,
    Label,
    Text,
};

/// The states an accessible object can be in.
enum class AccessibleState : uint8_t {
    Active,
    Showing,
    Visible,
    Enabled,
    Sensitive,
    Focusable,
    Focused,
    Checkable,
    Checked,
    Editable,
    ReadOnly,
    SingleLine,
    MultiLine,
    Modal,
};
inline constexpr int kAccessibleStateCount = static_cast<int>(AccessibleState::Modal) + 1;

/// A set of AccessibleState values.
class AccessibleStates {
  public:
    AccessibleStates() = default;
    AccessibleStates(std::initializer_list<AccessibleState> states) {
        for (const AccessibleState state : states)
            Set(state, true);
    }

    bool Has(AccessibleState state) const { return (bits_ & Bit(state)) != 0; }
    void Set(AccessibleState state, bool on) {
        bits_ = on ? bits_ | Bit(state) : bits_ & ~Bit(state);
    }
    AccessibleStates& operator|=(AccessibleStates other) {
        bits_ |= other.bits_;
        return *this;
    }
    friend bool operator==(AccessibleStates, AccessibleStates) = default;

  private:
    static uint32_t Bit(AccessibleState state) { return 1u << static_cast<uint32_t>(state); }
    uint32_t bits_ = 0;
};

/// What a window (or a windowless part of one) says it is, as it says how to paint: its role,
/// its name, its own states (checked, read-only; the window system adds showing, enabled and
/// focus), the actions it takes, the key that does its first action and, for an object with
/// text, the text and the caret in it.
struct AccessibleDescription {
    AccessibleRole role = AccessibleRole::NoRole;
    std::string name = {};
    std::string description = {};
    AccessibleStates states = {};
    std::vector<std::string> actions = {};
    /// As readers take it: the access key ("<Alt>c"), then ";;" and a keyboard shortcut when
    /// there is one ("<Alt>c;;7", ";;7").
    std::string keyBinding = {};
    std::optional<std::string> text = {};
    /// Where the caret is in the text, in characters from its start.
    int32_t caret = 0;
    /// The handle of the window whose text describes this object, 0 for none. Without a
    /// description of its own the object takes that text as its description, so a reader on the
    /// object hears the text again whenever it changes: a key hears the display it writes to.
    uint32_t describedBy = 0;

    /// Names a keyboard shortcut after the access key, if `shortcut` is one.
    void AddShortcut(std::string_view shortcut) {
        if (!shortcut.empty()) keyBinding.append(";;").append(shortcut);
    }

    friend bool operator==(const AccessibleDescription&, const AccessibleDescription&) = default;
};

/// A windowless part of a window (a label a form paints itself) with its place in the window's
/// client area.
struct AccessiblePart {
    AccessibleDescription description = {};
    Rect bounds = {};
    bool shown = true;
};

/// The action every push button and check box takes.
inline constexpr const char* kClickAction = "click";

}  // namespace platform
