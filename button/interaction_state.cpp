#include "button/interaction_state.h"

#include "platform/ui/keys.h"

namespace button {
namespace {

// The state drawn down or up as `redraw` says; a press dragged in is drawn lit no longer.
Transition Draw(InteractionState state, bool down, Redraw redraw) {
    state.drawn = down ? DrawnState::Down : DrawnState::Up;
    state.pressDraggedIn = false;
    return {state, redraw};
}

}  // namespace

Transition PointerEntered(InteractionState state, bool checked) {
    state.hover = true;
    return Draw(state, checked, Redraw::Always);
}

Transition HoverEnded(InteractionState state, bool checked) {
    state.hover = false;
    return Draw(state, checked, Redraw::Always);
}

// A right press alone never looks pressed, so it never leads to a click either.
Transition MousePressed(InteractionState state, uint8_t button) {
    state.lastMouseButton = button;
    if (button == platform::kButtonRight) return {state, Redraw::None};
    return Draw(state, true, Redraw::IfChanged);
}

Transition PressDraggedIn(InteractionState state) {
    Transition t = Draw(state, true, Redraw::IfChanged);
    t.next.hover = false;
    t.next.pressDraggedIn = true;
    return t;
}

Transition PressLifted(InteractionState state, bool checked) {
    return Draw(state, checked, Redraw::IfChanged);
}

Transition KeyWentDown(InteractionState state, uint8_t keyCode) {
    state.lastKeyCode = keyCode;
    if (keyCode != platform::kKeySpace) return {state, Redraw::None};
    return Draw(state, true, Redraw::IfChanged);
}

Transition BoundKeyWentDown(InteractionState state) {
    return Draw(state, true, Redraw::IfChanged);
}

Transition AccessKeyPressed(InteractionState state) {
    state.lastMouseButton = platform::kButtonLeft;
    return {state, Redraw::None};
}

Transition FocusChanged(InteractionState state, bool focused, bool showFocusRect, bool checked) {
    state.focus = focused;
    if (showFocusRect) state.hover = focused;
    return Repainted(state, checked);
}

Transition Repainted(InteractionState state, bool checked) {
    return Draw(state, state.drawn == DrawnState::Down || checked, Redraw::Always);
}

Transition DrawnUp(InteractionState state, bool checked) {
    return Draw(state, checked, Redraw::Always);
}

}  // namespace button
