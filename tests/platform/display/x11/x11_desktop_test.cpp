// The backend's windows among other programs' on a real display: what they ask of a window
// manager, where the display says the pointer is, a modal window brought forward by a click on
// the window it blocks, windows destroyed by another program, and repaints handed over at once.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/gfx/rect_paint.h"
#include "tests/platform/display/x11/x11_fixture.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>

namespace platform {
namespace {

class X11Desktop : public X11Fixture {
  protected:
    std::vector<uint32_t> Items(const Window& window, const char* property) {
        return ReadProperty(display.Get(), window.NativeId(), AtomNamed(property)).items;
    }
    std::vector<uint32_t> Atoms(std::initializer_list<const char*> names) {
        std::vector<uint32_t> atoms;
        for (const char* name : names)
            atoms.push_back(static_cast<uint32_t>(AtomNamed(name)));
        return atoms;
    }
    ::Window TransientFor(const Window& window) {
        ::Window owner = 0;
        return XGetTransientForHint(display.Get(), window.NativeId(), &owner) ? owner : 0;
    }
    ::Window Group(const Window& window) {
        XWMHints* hints = XGetWMHints(display.Get(), window.NativeId());
        if (!hints) return 0;
        const ::Window group = (hints->flags & WindowGroupHint) ? hints->window_group : 0;
        XFree(hints);
        return group;
    }
    /// Runs `step` from a message loop of `modal`'s own, every 20 ms until it hides the window.
    void RunModalSteps(Window& modal, std::function<void(int)> step) {
        struct Stepper : Window {
            Stepper(WindowSystem& s, Window& owner, std::function<void(int)> step)
                : Window(s, &owner, {0, 0, 1, 1}), step_(std::move(step)) {}
            void OnTimer(int32_t) override { step_(count_++); }
            std::function<void(int)> step_;
            int count_ = 0;
        } stepper(system, modal, std::move(step));
        stepper.SetTimer(1, 20);
        system.RunModal(modal);
    }

    RecordingWindow main{system, nullptr, Rect::FromSize(100, 100, 80, 60)};
};

TEST_F(X11Desktop, MainWindowAsksForATitleBarMenuAndCloseBoxOnly) {
    main.Show();
    Drain();
    // Functions and decorations given: move and close; border, title and menu.
    EXPECT_EQ(Items(main, "_MOTIF_WM_HINTS"), (std::vector<uint32_t>{3, 4 | 32, 2 | 8 | 16, 0, 0}));
    EXPECT_EQ(Items(main, "_NET_WM_WINDOW_TYPE"), Atoms({"_NET_WM_WINDOW_TYPE_NORMAL"}));
    EXPECT_EQ(Items(main, "_NET_WM_STATE"), std::vector<uint32_t>{});
    EXPECT_EQ(TransientFor(main), 0u);
    const ::Window group = Group(main);
    EXPECT_NE(group, 0u);
    EXPECT_EQ(Items(main, "WM_CLIENT_LEADER"), std::vector<uint32_t>{static_cast<uint32_t>(group)});
}

TEST_F(X11Desktop, ModalDialogBelongsToItsOwner) {
    main.Show();
    Window dialog(system, nullptr, Rect::FromSize(120, 120, 40, 30));
    dialog.SetRole(WindowRole::Dialog);
    dialog.SetOwner(&main);
    Drain();
    RunModalSteps(dialog, [&](int) {
        backend.DeliverPending();
        EXPECT_EQ(TransientFor(dialog), main.NativeId());
        EXPECT_EQ(Group(dialog), Group(main));
        EXPECT_EQ(Items(dialog, "_NET_WM_WINDOW_TYPE"), Atoms({"_NET_WM_WINDOW_TYPE_DIALOG"}));
        EXPECT_EQ(Items(dialog, "_NET_WM_STATE"), Atoms({"_NET_WM_STATE_MODAL"}));
        EXPECT_EQ(Items(dialog, "_MOTIF_WM_HINTS"),
                  (std::vector<uint32_t>{3, 4 | 32, 2 | 8 | 16, 0, 0}));
        dialog.Hide();
    });
}

// The splash comes before its owner is on the screen: it belongs to the program's windows.
TEST_F(X11Desktop, SplashOfAnOwnerNotShownIsTransientForTheGroup) {
    Window splash(system, nullptr, Rect::FromSize(120, 120, 40, 30));
    splash.SetRole(WindowRole::Splash);
    splash.SetBordered(false);
    splash.SetOwner(&main);
    splash.Show();
    Drain();
    EXPECT_EQ(TransientFor(splash), DefaultRootWindow(display.Get()));
    EXPECT_NE(Group(splash), 0u);
    EXPECT_EQ(Items(splash, "_NET_WM_WINDOW_TYPE"), Atoms({"_NET_WM_WINDOW_TYPE_SPLASH"}));
    EXPECT_EQ(Items(splash, "_NET_WM_STATE"), Atoms({"_NET_WM_STATE_SKIP_TASKBAR"}));
    EXPECT_EQ(Items(splash, "_MOTIF_WM_HINTS"), (std::vector<uint32_t>{2, 0, 0, 0, 0}));
}

// The display tells where the pointer went, however it left: moved away in one jump, or
// covered by another program's window; and each time a pointer poll ticks again.
TEST_F(X11Desktop, PointerThatLeftIsOverNoWindow) {
    RecordingWindow key(system, &main, Rect::FromSize(10, 10, 20, 20));
    int ticks = 0;
    key.onTimer = [&](int32_t) { ++ticks; };
    key.Show();
    main.Show();
    Drain();
    key.SetTimer(1, 1, TimerKind::PointerPoll);
    const auto pollTicksOnce = [&] {
        for (int wait = 0; wait < 2; ++wait) {
            usleep(2000);
            system.DispatchPending();
        }
        EXPECT_EQ(ticks, 1);
        ticks = 0;
    };
    const ::Window root = DefaultRootWindow(display.Get());
    const auto warpInto = [&] {
        XWarpPointer(display.Get(), None, main.NativeId(), 0, 0, 0, 0, 15, 15);
        Drain();
    };
    warpInto();
    ASSERT_EQ(system.WindowUnderPointer(), &key);

    pollTicksOnce();
    XWarpPointer(display.Get(), None, root, 0, 0, 0, 0, 900, 700);
    Drain();
    EXPECT_EQ(system.WindowUnderPointer(), nullptr);
    pollTicksOnce();

    warpInto();
    ASSERT_EQ(system.WindowUnderPointer(), &key);
    int x = 0, y = 0;
    ::Window child = 0;
    XTranslateCoordinates(display.Get(), main.NativeId(), root, 15, 15, &x, &y, &child);
    XSetWindowAttributes attributes{};
    attributes.override_redirect = True;
    const ::Window cover =
        XCreateWindow(display.Get(), root, x - 5, y - 5, 10, 10, 0, CopyFromParent, InputOutput,
                      CopyFromParent, CWOverrideRedirect, &attributes);
    pollTicksOnce();
    XMapRaised(display.Get(), cover);
    Drain();
    EXPECT_EQ(system.WindowUnderPointer(), nullptr);
    pollTicksOnce();
    XDestroyWindow(display.Get(), cover);
    Drain();
    EXPECT_EQ(system.WindowUnderPointer(), &key);
}

TEST_F(X11Desktop, PressOnTheBlockedOwnerBringsTheModalWindowForward) {
    main.Show();
    Window dialog(system, nullptr, Rect::FromSize(300, 300, 40, 30));
    dialog.SetRole(WindowRole::Dialog);
    dialog.SetOwner(&main);
    const ::Window root = DefaultRootWindow(display.Get());
    const auto stackedAbove = [&](::Window upper, ::Window lower) {
        ::Window r = 0, parent = 0;
        ::Window* children = nullptr;
        unsigned int count = 0;
        XQueryTree(display.Get(), root, &r, &parent, &children, &count);
        const std::vector<::Window> order(children, children + count);  // bottom to top
        XFree(children);
        return std::find(order.begin(), order.end(), upper) >
               std::find(order.begin(), order.end(), lower);
    };
    RunModalSteps(dialog, [&](int step) {
        if (step == 0) {
            XLowerWindow(display.Get(), dialog.NativeId());
            XSetInputFocus(display.Get(), main.NativeId(), RevertToParent, CurrentTime);
            XEvent press{};
            press.xbutton.type = ButtonPress;
            press.xbutton.window = main.NativeId();
            press.xbutton.root = root;
            press.xbutton.x = press.xbutton.y = 5;
            press.xbutton.button = Button1;
            press.xbutton.same_screen = True;
            XSendEvent(display.Get(), main.NativeId(), False, NoEventMask, &press);
            XSync(display.Get(), False);
            EXPECT_FALSE(stackedAbove(dialog.NativeId(), main.NativeId()));
            return;
        }
        backend.DeliverPending();
        ::Window focus = 0;
        int revert = 0;
        XGetInputFocus(display.Get(), &focus, &revert);
        EXPECT_EQ(focus, dialog.NativeId());
        EXPECT_TRUE(stackedAbove(dialog.NativeId(), main.NativeId()));
        EXPECT_EQ(main.log, std::vector<std::string>{});  // not even the move reached it
        dialog.Hide();
    });
}

// Another program (xdotool windowclose, say) destroys the window: the window system learns
// that its session is over, and nothing is asked of the gone window again.
TEST_F(X11Desktop, WindowDestroyedElsewhereEndsTheSession) {
    main.Show();
    Drain();
    {
        XErrorTrap trap(display.Get());
        XDestroyWindow(display.Get(), main.NativeId());
        EXPECT_EQ(trap.FirstError(), 0);
    }
    Drain();
    EXPECT_TRUE(system.WindowLost());
    EXPECT_TRUE(system.QuitRequested());
    EXPECT_EQ(main.NativeId(), 0u);
    system.Run();  // returns at once
    main.Hide();
}

// A repaint made at once reaches the display without waiting for the message loop.
TEST_F(X11Desktop, UpdateNowHandsThePixelsToTheDisplayAtOnce) {
    main.Show();
    Drain();
    FillRect(main.DrawingSurface(), {2, 2, 6, 6}, 0x0000FF);
    main.Invalidate({2, 2, 6, 6});
    main.UpdateNow();
    // Read through the test's own connection, with no further call into the backend.
    EXPECT_EQ(ReadPixels(display.Get(), main.NativeId(), {2, 2, 6, 6}),
              std::vector<uint32_t>(16, 0xFF0000));
}

}  // namespace
}  // namespace platform
