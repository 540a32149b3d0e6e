// X input events, sent to the backend's window as the display would send them, reach the window
// system as the matching input calls.
#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "tests/platform/display/x11/x11_fixture.h"

#include <X11/keysym.h>

namespace platform {
namespace {

/// Where the events go: a window of the backend's at (100, 100) on the screen, the screen's
/// root and the connection whose keyboard map gives the key codes.
struct Target {
    Display* display;
    ::Window window;
    ::Window root;
};

constexpr int kLeft = 100;
constexpr int kTop = 100;

/// Fills what motion, crossing and button events share: their window, the point in the
/// window and on the screen.
template <typename Event>
void Place(Event& e, const Target& t, int x, int y) {
    e.window = t.window;
    e.root = t.root;
    e.x = x;
    e.y = y;
    e.x_root = kLeft + x;
    e.y_root = kTop + y;
    e.same_screen = True;
}

XEvent Motion(const Target& t, int x, int y, unsigned state = 0) {
    XEvent e{};
    e.xmotion.type = MotionNotify;
    Place(e.xmotion, t, x, y);
    e.xmotion.state = state;
    return e;
}

XEvent Enter(const Target& t, int x, int y) {
    XEvent e{};
    e.xcrossing.type = EnterNotify;
    Place(e.xcrossing, t, x, y);
    e.xcrossing.mode = NotifyNormal;
    e.xcrossing.detail = NotifyNonlinear;
    return e;
}

/// A press has the state before it, a release the state with its own button still held.
XEvent Button(int type, const Target& t, unsigned button, int x, int y) {
    XEvent e{};
    e.xbutton.type = type;
    Place(e.xbutton, t, x, y);
    e.xbutton.button = button;
    const unsigned held = button <= 5 ? Button1Mask << (button - 1) : 0;
    e.xbutton.state = type == ButtonRelease ? held : 0;
    return e;
}

XEvent Key(int type, const Target& t, KeySym sym, unsigned state = 0) {
    XEvent e{};
    e.xkey.type = type;
    Place(e.xkey, t, 1, 1);
    e.xkey.state = state;
    e.xkey.keycode = XKeysymToKeycode(t.display, sym);
    return e;
}

/// What the window manager sends when the user clicks the close box.
XEvent DeleteRequest(const Target& t) {
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = t.window;
    e.xclient.message_type = XInternAtom(t.display, "WM_PROTOCOLS", False);
    e.xclient.format = 32;
    e.xclient.data.l[0] = static_cast<long>(XInternAtom(t.display, "WM_DELETE_WINDOW", False));
    e.xclient.data.l[1] = CurrentTime;
    return e;
}

struct InputCase {
    const char* name;
    std::function<std::vector<XEvent>(const Target&)> events;
    std::vector<std::string> expected;
    bool closes = false;
};

const InputCase kCases[] = {
    {"LeftClickWhereThePointerIs",
     [](const Target& t) {
         return std::vector{Motion(t, 5, 6), Button(ButtonPress, t, Button1, 5, 6),
                            Button(ButtonRelease, t, Button1, 5, 6)};
     },
     {"MouseMove 0 0 5 6", "MouseDown 1 0 5 6", "MouseUp 1 0 5 6", "Click"}},
    {"PressElsewhereMovesThePointerFirst",
     [](const Target& t) {
         return std::vector{Button(ButtonPress, t, Button3, 7, 8),
                            Button(ButtonRelease, t, Button3, 9, 8)};
     },
     {"MouseMove 0 0 7 8", "MouseDown 2 0 7 8", "MouseMove 2 0 9 8", "MouseUp 2 0 9 8"}},
    {"MiddleButton",
     [](const Target& t) {
         return std::vector{Motion(t, 1, 2), Button(ButtonPress, t, Button2, 1, 2),
                            Button(ButtonRelease, t, Button2, 1, 2)};
     },
     {"MouseMove 0 0 1 2", "MouseDown 4 0 1 2", "MouseUp 4 0 1 2"}},
    {"WheelAndExtraButtonsAreIgnored",
     [](const Target& t) {
         std::vector events{Motion(t, 1, 2)};
         for (const unsigned button : {4u, 5u, 6u, 7u, 8u, 9u}) {
             events.push_back(Button(ButtonPress, t, button, 1, 2));
             events.push_back(Button(ButtonRelease, t, button, 1, 2));
         }
         return events;
     },
     {"MouseMove 0 0 1 2"}},
    {"EnteringMovesThePointer",
     [](const Target& t) { return std::vector{Enter(t, 3, 4)}; },
     {"MouseMove 0 0 3 4"}},
    {"LetterKeyThenItsCharacter",
     [](const Target& t) {
         return std::vector{Key(KeyPress, t, XK_a), Key(KeyRelease, t, XK_a)};
     },
     {"KeyDown 65 0", "KeyPress 97", "KeyUp 65 0"}},
    {"HeldKeyRepeatsKeyDown",
     [](const Target& t) {
         return std::vector{Key(KeyPress, t, XK_Left), Key(KeyPress, t, XK_Left),
                            Key(KeyPress, t, XK_Left), Key(KeyRelease, t, XK_Left)};
     },
     {"KeyDown 37 0", "KeyDown 37 0", "KeyDown 37 0", "KeyUp 37 0"}},
    {"ShiftedDigit",
     [](const Target& t) {
         return std::vector{Key(KeyPress, t, XK_Shift_L), Key(KeyPress, t, XK_5, ShiftMask),
                            Key(KeyRelease, t, XK_5, ShiftMask),
                            Key(KeyRelease, t, XK_Shift_L, ShiftMask)};
     },
     {"KeyDown 16 1", "KeyDown 53 1", "KeyPress 37", "KeyUp 53 1", "KeyUp 16 0"}},
    {"EnterBackspaceAndEscapeTypeCharacters",
     [](const Target& t) {
         return std::vector{Key(KeyPress, t, XK_Return), Key(KeyPress, t, XK_KP_Enter),
                            Key(KeyPress, t, XK_BackSpace), Key(KeyPress, t, XK_Escape)};
     },
     {"KeyDown 13 0", "KeyPress 13", "KeyDown 13 0", "KeyPress 13", "KeyDown 8 0", "KeyPress 8",
      "KeyDown 27 0", "KeyPress 27"}},
    {"TabMovesTheFocusAndTypesNothing",
     [](const Target& t) {
         return std::vector{Key(KeyPress, t, XK_Tab), Key(KeyRelease, t, XK_Tab)};
     },
     {"KeyUp 9 0"}},
    {"KeysWithoutDesktopCodeAreDropped",
     [](const Target& t) {
         return std::vector{Key(KeyPress, t, XK_F5), Key(KeyRelease, t, XK_F5),
                            Key(KeyPress, t, XK_Delete)};
     },
     {"KeyDown 46 0"}},
    {"ControlLetterTypesNoCharacter",
     [](const Target& t) {
         return std::vector{Key(KeyPress, t, XK_Control_L), Key(KeyPress, t, XK_c, ControlMask),
                            Key(KeyRelease, t, XK_c, ControlMask),
                            Key(KeyRelease, t, XK_Control_L, ControlMask)};
     },
     {"KeyDown 17 2", "KeyDown 67 2", "KeyUp 67 2", "KeyUp 17 0"}},
    // Alt went down before the window had the keyboard: only the event's state shows it.
    {"AltLetterTypesNoCharacter",
     [](const Target& t) {
         return std::vector{Key(KeyPress, t, XK_c, Mod1Mask), Key(KeyRelease, t, XK_c, Mod1Mask)};
     },
     {"KeyDown 67 4", "KeyUp 67 4"}},
    // Alt went up while a window manager's shortcut held the keyboard (Alt+F4): the next key's
    // state says it is no longer held, and Tab moves the focus again.
    {"AltReleasedOutOfSightIsNotHeld",
     [](const Target& t) {
         return std::vector{Key(KeyPress, t, XK_Alt_L), Key(KeyPress, t, XK_Tab),
                            Key(KeyRelease, t, XK_Tab)};
     },
     {"KeyDown 18 4", "KeyUp 9 0"}},
    {"ShiftHeldOnAClickAsTheEventSays",
     [](const Target& t) {
         XEvent press = Button(ButtonPress, t, Button1, 5, 6);
         press.xbutton.state = ShiftMask;
         return std::vector{Motion(t, 5, 6), press};
     },
     {"MouseMove 0 0 5 6", "MouseDown 1 1 5 6"}},
    {"CloseBoxAsksTheWindow",
     [](const Target& t) { return std::vector{DeleteRequest(t)}; },
     {"CloseRequest", "LostFocus"},
     true},
    {"AltF4AsksTheWindow",
     [](const Target& t) {
         return std::vector{Key(KeyPress, t, XK_Alt_L), Key(KeyPress, t, XK_F4, Mod1Mask)};
     },
     {"KeyDown 18 4", "CloseRequest", "LostFocus"},
     true},
};

void PrintTo(const InputCase& c, std::ostream* os) {
    *os << c.name;
}

class X11Input : public X11Fixture, public ::testing::WithParamInterface<InputCase> {
  protected:
    void SetUp() override {
        X11Fixture::SetUp();
        window.SetTitle("input");
        window.SetFocusable(true);
        window.SetTakesCharacters(true);
        window.Show();
        window.Focus();
        ASSERT_TRUE(window.HasFocus());
        Drain();  // whatever the display reports about the new window
        window.log.clear();
        target = {display.Get(), window.NativeId(), DefaultRootWindow(display.Get())};
    }

    /// Sends the events to the backend's window the way the display delivers input: to the
    /// client that made the window, whatever it selected.
    void Send(const std::vector<XEvent>& events) {
        for (XEvent e : events) {
            if (e.type == KeyPress || e.type == KeyRelease) {
                ASSERT_NE(e.xkey.keycode, 0u) << "a key the display's keyboard lacks";
            }
            ASSERT_NE(XSendEvent(display.Get(), window.NativeId(), False, NoEventMask, &e), 0);
        }
    }

    RecordingWindow window{system, nullptr, Rect::FromSize(kLeft, kTop, 80, 60)};
    Target target{};
};

TEST_P(X11Input, ReachesTheWindowSystemAsItsCalls) {
    Send(GetParam().events(target));
    Drain();
    EXPECT_EQ(window.log, GetParam().expected);
    EXPECT_EQ(window.IsVisible(), !GetParam().closes);
}

INSTANTIATE_TEST_SUITE_P(Events, X11Input, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

// The events name a window of another client: the backend gets them (sent to its own window)
// but they are none of its business.
TEST_F(X11Input, EventsOfAnotherWindowAreIgnored) {
    const ::Window other = XCreateSimpleWindow(display.Get(), target.root, 0, 0, 10, 10, 0, 0, 0);
    const Target elsewhere{display.Get(), other, target.root};
    Send({Motion(elsewhere, 5, 6), Button(ButtonPress, elsewhere, Button1, 5, 6),
          Key(KeyPress, elsewhere, XK_a), DeleteRequest(elsewhere)});
    Drain();
    XDestroyWindow(display.Get(), other);
    EXPECT_EQ(window.log, std::vector<std::string>{});
    EXPECT_TRUE(window.IsVisible());
}

}  // namespace
}  // namespace platform
