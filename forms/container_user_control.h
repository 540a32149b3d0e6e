#pragma once

#include <cstdint>
#include <string_view>

#include "forms/container.h"
#include "platform/ui/accessible.h"

namespace forms {

/// The lifecycle of a hosted control. The calls come in this order: OnCreate; OnInitNew (a new
/// instance, no stored settings) or OnLoadSettings; OnResize; OnShow; then any number of
/// input calls, ambient changes and further resizes; OnSaveSettings whenever the host stores
/// its design data; OnHide; OnDestroy.
class ControlLifecycle {
  public:
    virtual ~ControlLifecycle() = default;

    /// The container's roles stay valid until OnDestroy returns.
    virtual void OnCreate(const ControlContainer& container) = 0;
    virtual void OnInitNew() = 0;
    /// Reads the settings through StoredProperties::ReadProperty.
    virtual void OnLoadSettings() = 0;
    virtual void OnResize() = 0;
    virtual void OnShow() = 0;
    /// Writes the settings through StoredProperties::WriteProperty.
    virtual void OnSaveSettings() = 0;
    virtual void OnHide() = 0;
    virtual void OnDestroy() = 0;
    /// One of the container's ambient properties changed ("DisplayName", "Font", "UserMode",
    /// "DisplayAsDefault").
    virtual void OnAmbientChanged(std::string_view name) = 0;
    /// The desktop's appearance changed: system colours may resolve to other colours, and
    /// high contrast may force its colours or stop forcing them.
    virtual void OnAppearanceChanged() = 0;
};

/// The mouse over a hosted control. Positions are pixels of the control's client area;
/// `button` holds the button bits (1 left, 2 right, 4 middle; on a move every button held) and
/// `shift` the shift bits.
class MouseHandler {
  public:
    virtual ~MouseHandler() = default;

    virtual void OnMouseDown(int32_t button, int32_t shift, int32_t x, int32_t y) = 0;
    virtual void OnMouseMove(int32_t button, int32_t shift, int32_t x, int32_t y) = 0;
    virtual void OnMouseUp(int32_t button, int32_t shift, int32_t x, int32_t y) = 0;
    /// A press and release of the left button over the control.
    virtual void OnClick() = 0;
    /// A second left press soon after a click, in place of its OnMouseDown; only for a control
    /// that takes double clicks.
    virtual void OnDoubleClick() {}
    /// Whether a second quick left press arrives as OnDoubleClick (the default) or as one more
    /// press and click; asked once, when the control is created.
    virtual bool TakesDoubleClicks() const { return true; }
};

/// The keyboard and its focus; `shift` holds the shift bits.
class KeyboardHandler {
  public:
    virtual ~KeyboardHandler() = default;

    virtual void OnKeyDown(int32_t& keyCode, int32_t shift) = 0;
    virtual void OnKeyPress(int32_t& keyAscii) = 0;
    virtual void OnKeyUp(int32_t& keyCode, int32_t shift) = 0;
    virtual void OnAccessKey() = 0;
    virtual void OnGotFocus() = 0;
    virtual void OnLostFocus() = 0;
};

/// The ticks of the container's ChildTimer.
class TimerHandler {
  public:
    virtual ~TimerHandler() = default;

    virtual void OnTimer() = 0;
};

/// What the control is to a screen reader, asked whenever the accessible tree is brought up to
/// date, as the control says how it looks by painting; the default says nothing, and the
/// control is left out. The host may give the control a name of its own in place of the one
/// Describe gives.
class AccessibleHandler {
  public:
    virtual ~AccessibleHandler() = default;

    virtual platform::AccessibleDescription Describe() const { return {}; }
    /// A reader asks for one of the actions Describe listed; it runs from the message loop.
    virtual void OnAccessibleAction(std::string_view /*action*/) {}
};

/// A control hosted in a ControlContainer: every call the container makes, one role each.
class UserControl : public ControlLifecycle,
                    public MouseHandler,
                    public KeyboardHandler,
                    public TimerHandler,
                    public AccessibleHandler {};

}  // namespace forms
