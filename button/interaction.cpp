// The button's interaction: what mouse, keys, focus and the hover timer do to its state and
// which events they raise. Every event is raised before the button reacts, with its arguments
// by reference, so the host's handler can change what follows.
//
// Transitions of an enabled button that is no check box. Each handler takes one transition
// (interaction_state.h), which changes the state and says what to redraw: "always", or "if
// changed" (only when the drawn state or the caption differs from the last paint). The paint
// shows the state alone. "over" is the container's pointer test.
//
// | from          | input           | when          | actions, in order                 | to      |
// |---------------|-----------------|---------------|-----------------------------------|---------|
// | normal        | move, no button | over          | timer on, PointerEntered (hover   | lit     |
// |               |                 |               | on; up, always), MouseOver        |         |
// | lit           | timer tick      | not over      | timer off, HoverEnded (hover      | normal  |
// |               |                 |               | off; up, always), MouseOut        |         |
// | normal, lit   | press           | Button not 2  | MouseDown, MousePressed (down,    | pressed |
// |               |                 |               | if changed)                       |         |
// | pressed       | left-drag move  | not over      | MouseMove, PressLifted (up, if    | up      |
// |               |                 |               | changed)                          |         |
// | up, pressed   | left-drag move  | over          | MouseMove, PressDraggedIn (down   | pressed |
// | before        |                 |               | and lit, if changed; hover off)   |         |
// | pressed       | release         | Button not 2  | MouseUp, PressLifted              | up      |
// | normal, lit   | click           | last button 1 | DrawnUp (up, always), repaint     | same    |
// |               |                 |               | now, Click                        |         |
// | up            | Space down      |               | KeyDown, KeyWentDown (down, if    | pressed |
// |               |                 |               | changed)                          |         |
// | pressed       | Space up        | last key was  | KeyUp, PressLifted, repaint now,  | up      |
// |               |                 | Space         | Click                             |         |
// | up            | bound key down  | enabled       | BoundKeyWentDown (down, if        | pressed |
// |               |                 |               | changed), repaint now             |         |
// | pressed       | bound key up    | enabled       | PressLifted, repaint now, Click   | up      |
// | any           | got focus       |               | FocusChanged (focus on, and hover | same    |
// |               |                 |               | with the focus rectangle; always) |         |
// | any           | lost focus      |               | FocusChanged (focus off, and      | same    |
// |               |                 |               | hover with the focus rectangle;   |         |
// |               |                 |               | always)                           |         |
//
// A check box toggles Value at each click and Space release and is drawn down while on.
#include <array>
#include <string>
#include <variant>

#include "button/vb_button.h"
#include "platform/text/access_key.h"
#include "platform/ui/keys.h"

namespace button {
namespace {

// The control's events, numbered in their order of declaration.
constexpr int32_t kEventClick = 1;
constexpr int32_t kEventMouseDown = 2;
constexpr int32_t kEventMouseMove = 3;
constexpr int32_t kEventMouseUp = 4;
constexpr int32_t kEventKeyPress = 5;
constexpr int32_t kEventKeyDown = 6;
constexpr int32_t kEventKeyUp = 7;
constexpr int32_t kEventMouseOver = 8;
constexpr int32_t kEventMouseOut = 9;

// How often a lit button asks whether the pointer is still over it: the window system holds
// a tick back until the pointer or a window has changed since the last one.
constexpr int32_t kHoverPollMs = 3;

// The last mouse button and key code are kept in a byte: a host handler that left anything
// outside 0..255 in Button or KeyCode gets the overflow back where the button stores them.
uint8_t StoredByte(int32_t value, const char* what) {
    if (value < 0 || value > 255)
        throw OverflowError(std::string(what) + " " + std::to_string(value) +
                            " does not fit a byte");
    return static_cast<uint8_t>(value);
}

}  // namespace

// ---- Hover --------------------------------------------------------------------------------

void vbButton::SetHoverTimer(bool on) {
    host_.timer->SetTimerInterval(kHoverPollMs);
    host_.timer->SetTimerPollsPointer(true);
    host_.timer->SetTimerEnabled(on);
}

void vbButton::OnTimer() {
    if (host_.pointer->PointerIsOver()) return;
    SetHoverTimer(false);
    Apply(HoverEnded(interaction_, Checked()));
    host_.events->RaiseEvent(kEventMouseOut, "MouseOut", {});
}

// ---- Events -------------------------------------------------------------------------------

bool vbButton::RaiseMouseEvent(int32_t number, const char* name, int32_t& button, int32_t shift,
                               int32_t x, int32_t y) {
    std::array<forms::EventArgument, 4> args{forms::EventArgument(static_cast<int16_t>(button)),
                                             forms::EventArgument(static_cast<int16_t>(shift)),
                                             forms::EventArgument(static_cast<float>(x)),
                                             forms::EventArgument(static_cast<float>(y))};
    if (!host_.events->RaiseEvent(number, name, args)) return false;
    button = std::get<int16_t>(args[0]);
    return true;
}

bool vbButton::RaiseEndingPress(const std::function<bool()>& raise) {
    const std::shared_ptr<const bool> stillAlive = alive_;
    try {
        return raise();
    } catch (...) {
        if (*stillAlive) Apply(PressLifted(interaction_, Checked()));
        throw;
    }
}

bool vbButton::RaiseKeyEvent(int32_t number, const char* name, int32_t& keyCode, int32_t shift) {
    std::array<forms::EventArgument, 2> args{forms::EventArgument(static_cast<int16_t>(keyCode)),
                                             forms::EventArgument(static_cast<int16_t>(shift))};
    if (!host_.events->RaiseEvent(number, name, args)) return false;
    keyCode = std::get<int16_t>(args[0]);
    return true;
}

// ---- Mouse --------------------------------------------------------------------------------

void vbButton::OnMouseDown(int32_t button, int32_t shift, int32_t x, int32_t y) {
    if (!RaiseMouseEvent(kEventMouseDown, "MouseDown", button, shift, x, y)) return;
    Apply(MousePressed(interaction_, StoredByte(button, "Button")));
}

void vbButton::OnMouseMove(int32_t button, int32_t shift, int32_t x, int32_t y) {
    if (!RaiseMouseEvent(kEventMouseMove, "MouseMove", button, shift, x, y)) return;
    if (button >= platform::kButtonRight) return;
    if (!host_.pointer->PointerIsOver()) {
        Apply(PressLifted(interaction_, Checked()));
        return;
    }
    if (button == 0) {
        if (interaction_.hover) return;
        SetHoverTimer(true);
        Apply(PointerEntered(interaction_, Checked()));
        host_.events->RaiseEvent(kEventMouseOver, "MouseOver", {});
        return;
    }
    Apply(PressDraggedIn(interaction_));
}

void vbButton::OnMouseUp(int32_t button, int32_t shift, int32_t x, int32_t y) {
    if (!RaiseEndingPress(
            [&] { return RaiseMouseEvent(kEventMouseUp, "MouseUp", button, shift, x, y); }))
        return;
    if (button != platform::kButtonRight) Apply(PressLifted(interaction_, Checked()));
}

void vbButton::OnClick() {
    if (interaction_.lastMouseButton != platform::kButtonLeft || !enabled_) return;
    RaiseClick(DrawnUp);
}

// A check box toggles first; the new look reaches the screen before the host's handler runs.
void vbButton::RaiseClick(Transition (*drawUp)(InteractionState, bool)) {
    if (checkBoxBehaviour_) value_ = !value_;
    Apply(drawUp(interaction_, Checked()));
    host_.surface->RepaintNow();
    host_.events->RaiseEvent(kEventClick, "Click", {});
}

// ---- Keys ---------------------------------------------------------------------------------

void vbButton::OnKeyDown(int32_t& keyCode, int32_t shift) {
    if (!RaiseKeyEvent(kEventKeyDown, "KeyDown", keyCode, shift)) return;
    Apply(KeyWentDown(interaction_, StoredByte(keyCode, "KeyCode")));
    switch (keyCode) {
        case platform::kKeyLeft:
        case platform::kKeyUp:
            host_.messages->SendKeys("+{Tab}");
            break;
        case platform::kKeyRight:
        case platform::kKeyDown:
            host_.messages->SendKeys("{Tab}");
            break;
        default:
            break;
    }
}

void vbButton::OnKeyPress(int32_t& keyAscii) {
    std::array<forms::EventArgument, 1> args{forms::EventArgument(static_cast<int16_t>(keyAscii))};
    if (!host_.events->RaiseEvent(kEventKeyPress, "KeyPress", args)) return;
    keyAscii = std::get<int16_t>(args[0]);
}

// Only a space released after a space press clicks: another key in between cancels it.
void vbButton::OnKeyUp(int32_t& keyCode, int32_t shift) {
    if (!RaiseEndingPress([&] { return RaiseKeyEvent(kEventKeyUp, "KeyUp", keyCode, shift); }))
        return;
    if (interaction_.lastKeyCode != platform::kKeySpace || keyCode != platform::kKeySpace) return;
    RaiseClick(PressLifted);
}

// The access key clicks the button as the left button would, through the same guard.
void vbButton::OnAccessKey() {
    Apply(AccessKeyPressed(interaction_));
    OnClick();
}

// A key bound by the host presses the button as the mouse would, without mouse events. The
// down look reaches the screen at once, so that a key let go at once still showed it.
void vbButton::OnBoundKeyDown() {
    if (!enabled_) return;
    Apply(BoundKeyWentDown(interaction_));
    host_.surface->RepaintNow();
}

void vbButton::OnBoundKeyUp() {
    if (!enabled_) return;
    RaiseClick(PressLifted);
}

// ---- Accessibility ------------------------------------------------------------------------

platform::AccessibleDescription vbButton::Describe() const {
    using platform::AccessibleState;
    platform::AccessibleDescription description{
        .role = checkBoxBehaviour_ ? platform::AccessibleRole::CheckBox
                                   : platform::AccessibleRole::PushButton,
        .name = platform::SpokenCaption(captionText_),
        .actions = {platform::kClickAction},
        .keyBinding = platform::AccessKeyBinding(captionText_)};
    description.states.Set(AccessibleState::Checkable, checkBoxBehaviour_);
    description.states.Set(AccessibleState::Checked, checkBoxBehaviour_ && value_);
    return description;
}

void vbButton::OnAccessibleAction(std::string_view action) {
    if (action == platform::kClickAction) OnAccessKey();
}

// ---- Focus and visibility -----------------------------------------------------------------

// With the focus rectangle shown, a focused button also looks lit.
void vbButton::OnGotFocus() {
    Apply(FocusChanged(interaction_, true, showFocusRect_, Checked()));
}

void vbButton::OnLostFocus() {
    Apply(FocusChanged(interaction_, false, showFocusRect_, Checked()));
}

// Nothing is drawn until the button is shown again or refreshed.
void vbButton::OnHide() {
    ready_ = false;
}

}  // namespace button
