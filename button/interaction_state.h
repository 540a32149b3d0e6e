#pragma once

// The button's interaction as one value, and the transitions that change it. Each transition
// returns the next value and what must be redrawn for it; a paint shows the value and nothing
// else. The table of transitions, and the handlers that raise the events and take them, are in
// interaction.cpp.

#include <cstdint>

namespace button {

/// The state a paint shows: up (normal or lit) or down (pressed or checked).
enum class DrawnState : uint8_t { Up = 0, Down = 2 };

/// What a transition asks to be redrawn: nothing; the whole button if its drawn state or
/// caption differs from the last paint's; or the whole button in any case.
enum class Redraw { None, IfChanged, Always };

/// Everything the interaction knows.
struct InteractionState {
    /// Down while pressed, or while a check box is on. It changes only with a paint that
    /// shows it: a state that could not be drawn is not kept.
    DrawnState drawn = DrawnState::Up;
    /// The hover flag: the pointer came in (MouseOver was raised), or the focus lit the button
    /// while focus rectangles are shown. A move without a button enters while it is off.
    bool hover = false;
    /// A press dragged back in is drawn lit, though it turns the hover flag off so that the
    /// first move after the release enters afresh. Every other paint ends it.
    bool pressDraggedIn = false;
    bool focus = false;
    /// What the click and the Space release check: the last mouse button pressed and the
    /// last key gone down.
    uint8_t lastMouseButton = 0;
    uint8_t lastKeyCode = 0;

    /// Whether a paint shows the button lit.
    bool Lit() const { return hover || pressDraggedIn; }
};

/// The result of a transition.
struct Transition {
    InteractionState next;
    Redraw redraw = Redraw::None;
};

// The transitions. `checked` says that the button is a check box that is on, which is drawn
// down instead of up.

/// The pointer came in: hover on, drawn up always.
Transition PointerEntered(InteractionState state, bool checked);
/// The pointer is gone at a hover tick: hover off, drawn up always.
Transition HoverEnded(InteractionState state, bool checked);
/// A mouse button went down: remembered, and drawn down if changed unless it is the right one.
Transition MousePressed(InteractionState state, uint8_t button);
/// A press held with the left button came back over the button: drawn down and lit if
/// changed, hover off.
Transition PressDraggedIn(InteractionState state);
/// The press ends (a release, the pointer leaving, the Space release) or is given up: drawn
/// up if changed.
Transition PressLifted(InteractionState state, bool checked);
/// A key went down: remembered, and drawn down if changed when it is Space.
Transition KeyWentDown(InteractionState state, uint8_t keyCode);
/// A keyboard key that the host binds to the button went down: drawn down if changed.
Transition BoundKeyWentDown(InteractionState state);
/// The access key: a click of the left button follows.
Transition AccessKeyPressed(InteractionState state);
/// The focus came or went; with focus rectangles shown the hover flag follows it. Redrawn as
/// it is, always.
Transition FocusChanged(InteractionState state, bool focused, bool showFocusRect, bool checked);
/// A setting changed that shows in the current state: redrawn as it is, always.
Transition Repainted(InteractionState state, bool checked);
/// A click, or a setting changed that the button shows up again for: drawn up always.
Transition DrawnUp(InteractionState state, bool checked);

}  // namespace button
