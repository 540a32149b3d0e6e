// What a window manager asks of the program's windows and learns from them: an answer to its
// ping, and the time of the user's last key or click.
#include <gtest/gtest.h>

#include <vector>

#include "tests/platform/display/x11/x11_fixture.h"

#include <X11/Xatom.h>

namespace platform {
namespace {

class X11WindowManager : public X11Fixture {
  protected:
    void SetUp() override {
        X11Fixture::SetUp();
        window.Show();
        Drain();
    }

    /// Sends `event` to the backend's window as the display delivers input or a window
    /// manager's message: to the client that made it, whatever it selected.
    void Send(XEvent event) {
        ASSERT_NE(XSendEvent(display.Get(), window.NativeId(), False, NoEventMask, &event), 0);
        Drain();
    }

    std::vector<uint32_t> UserTime(::Window w) {
        return ReadProperty(display.Get(), w, AtomNamed("_NET_WM_USER_TIME")).items;
    }

    XEvent Press(int type, Time time) {
        XEvent e{};
        e.xbutton.type = type;
        e.xbutton.window = window.NativeId();
        e.xbutton.root = root;
        e.xbutton.button = Button1;
        e.xbutton.time = time;
        e.xbutton.same_screen = True;
        if (type == KeyPress) e.xkey.keycode = XKeysymToKeycode(display.Get(), 'a');
        return e;
    }

    ::Window root = DefaultRootWindow(display.Get());
    RecordingWindow window{system, nullptr, Rect::FromSize(60, 70, 40, 30)};
};

TEST_F(X11WindowManager, PingComesBackToTheRootWindow) {
    Display* d = display.Get();
    XSelectInput(d, root, SubstructureNotifyMask);
    XEvent ping{};
    ping.xclient.type = ClientMessage;
    ping.xclient.window = window.NativeId();
    ping.xclient.message_type = AtomNamed("WM_PROTOCOLS");
    ping.xclient.format = 32;
    ping.xclient.data.l[0] = static_cast<long>(AtomNamed("_NET_WM_PING"));
    ping.xclient.data.l[1] = 4242;
    ping.xclient.data.l[2] = static_cast<long>(window.NativeId());
    Send(ping);
    XSync(d, False);
    XEvent pong{};
    bool answered = false;
    while (!answered && XCheckTypedEvent(d, ClientMessage, &pong))
        answered = pong.xclient.window == root &&
                   pong.xclient.message_type == AtomNamed("WM_PROTOCOLS") &&
                   pong.xclient.data.l[0] == ping.xclient.data.l[0];
    XSelectInput(d, root, NoEventMask);
    ASSERT_TRUE(answered) << "no answer to the ping";
    EXPECT_EQ(pong.xclient.data.l[1], 4242);
    EXPECT_EQ(static_cast<::Window>(pong.xclient.data.l[2]), window.NativeId());
    EXPECT_TRUE(window.IsVisible());
    EXPECT_EQ(window.log, std::vector<std::string>{});  // no close request
}

// A window manager that moves the window says where to with a ConfigureNotify of its own, in
// screen coordinates; the display's own report is relative to the window's parent.
TEST_F(X11WindowManager, MovesReportedByTheDisplayMoveTheWindow) {
    XEvent moved{};
    moved.xconfigure.type = ConfigureNotify;
    moved.xconfigure.event = moved.xconfigure.window = window.NativeId();
    moved.xconfigure.x = 300;
    moved.xconfigure.y = 200;
    moved.xconfigure.width = 40;
    moved.xconfigure.height = 30;
    Send(moved);
    EXPECT_EQ(window.Bounds(), Rect::FromSize(300, 200, 40, 30));
    XMoveWindow(display.Get(), window.NativeId(), 120, 90);
    Drain();
    EXPECT_EQ(window.Bounds(), Rect::FromSize(120, 90, 40, 30));
}

TEST_F(X11WindowManager, KeysAndClicksTellTheUsersLastTimeToWindowsOpenedNext) {
    const Time start = 1000 + static_cast<Time>(window.NativeId() % 1000);
    Send(Press(ButtonPress, start));
    EXPECT_EQ(UserTime(window.NativeId()), std::vector<uint32_t>{static_cast<uint32_t>(start)});
    Send(Press(ButtonRelease, start + 50));  // a release is no new use
    Send(Press(KeyPress, start + 90));
    EXPECT_EQ(UserTime(window.NativeId()),
              std::vector<uint32_t>{static_cast<uint32_t>(start + 90)});

    Window dialog{system, nullptr, Rect::FromSize(10, 10, 20, 20)};
    dialog.Show();
    Drain();
    EXPECT_EQ(UserTime(dialog.NativeId()),
              std::vector<uint32_t>{static_cast<uint32_t>(start + 90)});
}

}  // namespace
}  // namespace platform
