#include "platform/display/x11/x11_input.h"

#include "platform/display/desktop_scale.h"
#include "platform/display/keysyms.h"
#include "platform/ui/keys.h"
#include "platform/ui/window_system.h"

// Xlib's headers define macros such as None, Bool and Status: they come after ours.
#include <X11/XKBlib.h>
#include <X11/Xutil.h>

namespace platform {
namespace {

/// The shift bits of an input event's modifier state: Alt is the first modifier, as on every
/// X desktop.
int32_t ShiftBits(unsigned int state) {
    return ((state & ShiftMask) ? kShiftShift : 0) | ((state & ControlMask) ? kShiftCtrl : 0) |
           ((state & Mod1Mask) ? kShiftAlt : 0);
}

int32_t ButtonBit(unsigned int xButton) {
    switch (xButton) {
        case Button1:
            return kButtonLeft;
        case Button2:
            return kButtonMiddle;
        case Button3:
            return kButtonRight;
        default:
            return 0;
    }
}

// A key's own desktop code, from its unshifted symbol.
int32_t DesktopKeyCodeOf(Display* display, const XKeyEvent& key) {
    return DesktopKeyCode(static_cast<uint32_t>(XkbKeycodeToKeysym(display, key.keycode, 0, 0)));
}

// The symbol the key gives with Shift, Caps Lock and Num Lock as they are.
uint32_t TypedSymbol(XKeyEvent& key) {
    KeySym typed = NoSymbol;
    XLookupString(&key, nullptr, 0, &typed, nullptr);
    return static_cast<uint32_t>(typed);
}

}  // namespace

bool X11Input::HasInput() {
    return !display_.Lost() && XPending(display_.X()) > 0;
}

pollfd X11Input::BeginWait() {
    XFlush(display_.X());
    return {ConnectionNumber(display_.X()), POLLIN, 0};
}

void X11Input::DeliverOne(WindowSystem* system) {
    XEvent event;
    XNextEvent(display_.X(), &event);
    const DeviceScale scale = display_.Scale();
    const std::optional<Appearance> appearance = display_.DesktopAppearance();
    if (display_.FollowSettings(event)) {
        if (system && display_.Scale() != scale) FollowDesktopScale(*system);
        if (system && display_.DesktopAppearance() != appearance)
            system->SetDesktopAppearance(AppearanceSource::DisplaySettings,
                                         display_.DesktopAppearance());
        return;
    }
    if (clipboard_.Handle(event)) return;
    if (event.type == MappingNotify) {
        XRefreshKeyboardMapping(&event.xmapping);
        return;
    }
    if (system) Deliver(event, *system);
}

void X11Input::FollowDesktopScale(WindowSystem& system) {
    windows_.RescalePointer();
    for (const Window* top : system.TopLevels()) {
        if (top->NativeId() != 0) system.NativeScaleChanged(top->Handle(), display_.Scale());
    }
}

Point X11Input::OnScreen(int32_t x, int32_t y) const {
    return {display_.Scale().LogicalAt(x), display_.Scale().LogicalAt(y)};
}

void X11Input::Deliver(XEvent& event, WindowSystem& system) {
    switch (event.type) {
        case MotionNotify:
            MovePointer(event.xmotion.window, event.xmotion.x, event.xmotion.y, event.xmotion.state,
                        system);
            break;
        case EnterNotify:
            MovePointer(event.xcrossing.window, event.xcrossing.x, event.xcrossing.y,
                        event.xcrossing.state, system);
            break;
        case LeaveNotify:
            // Whatever took the pointer away (a move, another window mapped over ours, a grab
            // of the window manager's), it is over no window of ours until the next report.
            if (const Window* top = system.TopLevelOf(event.xcrossing.window))
                system.PointerLeftWindow(top->Handle());
            break;
        case ButtonPress:
        case ButtonRelease: {
            const int32_t bit = ButtonBit(event.xbutton.button);
            if (bit == 0 || !windows_.IsOurs(event.xbutton.window)) break;
            MovePointer(event.xbutton.window, event.xbutton.x, event.xbutton.y, event.xbutton.state,
                        system);
            if (event.type == ButtonPress) {
                windows_.TookUserInput(event.xbutton.window, event.xbutton.time);
                system.ButtonDown(bit);
            } else {
                system.ButtonUp(bit);
            }
            break;
        }
        case FocusOut:
            // The keyboard went away from the window itself, not to a window inside it or for
            // a moment to the pointer's window.
            if (event.xfocus.detail != NotifyInferior && event.xfocus.detail != NotifyPointer &&
                windows_.IsOurs(event.xfocus.window))
                system.KeyboardLeft();
            break;
        case KeyPress:
            KeyDown(event.xkey, system);
            break;
        case KeyRelease:
            KeyUp(event.xkey, system);
            break;
        case Expose:
            // The window is on the screen for the first time, or the display lost these pixels
            // of it: show them anew.
            windows_.Exposed(event.xexpose.window,
                             Rect::FromSize(event.xexpose.x, event.xexpose.y, event.xexpose.width,
                                            event.xexpose.height));
            break;
        case ConfigureNotify:
            if (const Window* top = system.TopLevelOf(event.xconfigure.window))
                system.NativeWindowMoved(top->Handle(), ClientOrigin(event.xconfigure));
            break;
        case DestroyNotify:
            // Destroyed by someone else: the windows the backend destroys itself are no longer
            // its own when the display reports them.
            if (const Window* top = system.TopLevelOf(event.xdestroywindow.window)) {
                windows_.Gone(event.xdestroywindow.window);
                system.NativeWindowLost(top->Handle());
            }
            break;
        case ClientMessage:
            WindowManagerMessage(event.xclient, system);
            break;
        default:
            break;
    }
}

Point X11Input::ClientOrigin(const XConfigureEvent& configure) const {
    // A window manager's own report gives the place on the screen; the display's gives it in
    // the frame the window manager put the window in.
    int x = configure.x;
    int y = configure.y;
    ::Window child = 0;
    if (!configure.send_event)
        XTranslateCoordinates(display_.X(), configure.window, display_.Root(), 0, 0, &x, &y,
                              &child);
    return OnScreen(x, y);
}

void X11Input::WindowManagerMessage(const XClientMessageEvent& message, WindowSystem& system) {
    if (message.message_type != display_.AtomOf(kWmProtocols) || message.format != 32 ||
        !windows_.IsOurs(message.window))
        return;
    const auto protocol = static_cast<Atom>(message.data.l[0]);
    if (protocol == display_.AtomOf(kNetWmPing)) {
        // The answer is the ping itself, sent back to the root window.
        XEvent pong{};
        pong.xclient = message;
        pong.xclient.window = display_.Root();
        XSendEvent(display_.X(), display_.Root(), False,
                   SubstructureNotifyMask | SubstructureRedirectMask, &pong);
        return;
    }
    if (protocol != display_.AtomOf(kWmDeleteWindow)) return;
    if (const Window* top = system.TopLevelOf(message.window)) system.CloseRequest(top->Handle());
}

void X11Input::MovePointer(::Window w, int32_t x, int32_t y, unsigned int state,
                           WindowSystem& system) {
    const Window* top = system.TopLevelOf(w);
    if (!top) return;
    system.ModifiersHeld(ShiftBits(state));
    const DeviceScale scale = top->Scale();
    system.PointerMoveInWindow(top->Handle(), {scale.LogicalAt(x), scale.LogicalAt(y)});
}

void X11Input::KeyDown(XKeyEvent& key, WindowSystem& system) {
    if (!windows_.IsOurs(key.window)) return;
    // The state holds the modifiers as they were before this key: a modifier's own press
    // then adds its bit.
    system.ModifiersHeld(ShiftBits(key.state));
    windows_.TookUserInput(key.window, key.time);
    // The character comes from the typed symbol. A held key arrives again as one more press.
    const int32_t code = DesktopKeyCodeOf(display_.X(), key);
    const uint32_t typed = TypedSymbol(key);
    // Ctrl and Alt make commands (Ctrl+C, access keys), never text.
    const bool command = (key.state & (ControlMask | Mod1Mask)) != 0;
    int32_t character = command ? 0 : TypedCharacter(typed);
    if (character == 0) character = ControlCharacter(code);
    system.KeyPressed({key.keycode, code, character, typed});
}

void X11Input::KeyUp(XKeyEvent& key, WindowSystem& system) {
    if (!windows_.IsOurs(key.window)) return;
    system.ModifiersHeld(ShiftBits(key.state));
    system.KeyReleased({key.keycode, DesktopKeyCodeOf(display_.X(), key), 0, TypedSymbol(key)});
}

}  // namespace platform
