// Startup notification and activation on X11: the launch's id on the first window and its
// "remove" message as the window maps (or as a program without a window ends), and
// _NET_ACTIVE_WINDOW at the time of the launch that asks for a window.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/display/x11/x11_startup.h"
#include "tests/platform/display/x11/x11_fixture.h"

#include <X11/Xatom.h>

namespace platform {
namespace {

TEST(LaunchEndMessage, QuotesWhatNeedsItAndEndsInNul) {
    const struct {
        const char* id;
        std::string expected;
    } cases[] = {
        {"xterm-1234-host-0_TIME567", std::string("remove: ID=xterm-1234-host-0_TIME567\0", 37)},
        {"a b", std::string("remove: ID=\"a b\"\0", 17)},
        {"q\"b\\s", std::string("remove: ID=\"q\\\"b\\\\s\"\0", 21)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LaunchEndMessage(c.id), c.expected) << c.id;
}

TEST(LaunchTime, IsTheNumberAfterTheLastTimeMark) {
    const struct {
        const char* id;
        Time expected;
    } cases[] = {
        {"gnome-shell-42-host-calc-0_TIME123456", 123456},
        {"host;1;2;0_TIME9_TIME77", 77},
        {"kde_TIME4294967295", 4294967295u},
        {"kde_TIME4294967296", CurrentTime},  // beyond the display's 32-bit clock
        {"no-time-here", CurrentTime},
        {"_TIME", CurrentTime},
        {"_TIMEx12", CurrentTime},
        {"", CurrentTime},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LaunchTime(c.id), c.expected) << c.id;
}

/// The launch messages that reached the root window, joined into their texts.
class LaunchListener {
  public:
    explicit LaunchListener(Display* display) : display_(display) {
        XSelectInput(display_, DefaultRootWindow(display_), PropertyChangeMask);
        XSync(display_, False);
    }
    ~LaunchListener() { XSelectInput(display_, DefaultRootWindow(display_), NoEventMask); }

    std::vector<std::string> Messages() {
        XSync(display_, False);
        const Atom begin = XInternAtom(display_, "_NET_STARTUP_INFO_BEGIN", False);
        const Atom more = XInternAtom(display_, "_NET_STARTUP_INFO", False);
        XEvent event;
        while (XCheckTypedEvent(display_, ClientMessage, &event)) {
            if (event.xclient.message_type == begin) texts_.emplace_back();
            if (event.xclient.message_type != begin && event.xclient.message_type != more) continue;
            if (texts_.empty()) texts_.emplace_back();
            texts_.back().append(event.xclient.data.b, sizeof event.xclient.data.b);
        }
        std::vector<std::string> done;
        for (const std::string& text : texts_)
            done.push_back(text.substr(0, text.find('\0')));
        return done;
    }

  private:
    Display* display_;
    std::vector<std::string> texts_;
};

class X11Launch : public X11Fixture {};

TEST_F(X11Launch, FirstWindowCarriesTheIdAndEndsTheLaunch) {
    LaunchListener listener(display.Get());
    auto launched = std::make_unique<X11Backend>("tavik-calculator", "launch-1_TIME42");
    WindowSystem launchedSystem(*launched);
    EXPECT_EQ(listener.Messages(), std::vector<std::string>{});
    Window first{launchedSystem, nullptr, Rect::FromSize(10, 10, 20, 20)};
    Window second{launchedSystem, nullptr, Rect::FromSize(40, 10, 20, 20)};
    first.Show();
    second.Show();
    launched->DeliverPending();
    // The launch ends as the first window maps, once drawn.
    EXPECT_EQ(listener.Messages(), std::vector<std::string>{});
    launchedSystem.UpdateAll();
    launched->DeliverPending();
    EXPECT_EQ(listener.Messages(), std::vector<std::string>{"remove: ID=launch-1_TIME42"});
    const Atom id = AtomNamed("_NET_STARTUP_ID");
    EXPECT_EQ(ReadProperty(display.Get(), first.NativeId(), id).bytes,
              (std::vector<unsigned char>{'l', 'a', 'u', 'n', 'c', 'h', '-', '1', '_', 'T', 'I',
                                          'M', 'E', '4', '2'}));
    EXPECT_EQ(ReadProperty(display.Get(), second.NativeId(), id).type, 0u);
    first.Hide();
    second.Hide();
    launched.reset();  // the launch is over once already
    EXPECT_EQ(listener.Messages(), std::vector<std::string>{"remove: ID=launch-1_TIME42"});
}

TEST_F(X11Launch, ProgramEndingWithoutAWindowEndsItsLaunch) {
    LaunchListener listener(display.Get());
    X11Backend("tavik-calculator", "second copy");
    EXPECT_EQ(listener.Messages(), std::vector<std::string>{"remove: ID=\"second copy\""});
}

TEST_F(X11Launch, ActivationAsksTheWindowManagerAtTheLaunchsTime) {
    Display* d = display.Get();
    const ::Window root = DefaultRootWindow(d);
    Window window{system, nullptr, Rect::FromSize(10, 10, 20, 20)};
    window.Show();
    Drain();
    XSelectInput(d, root, SubstructureNotifyMask);
    XSync(d, False);
    system.BringForward(window, "other-launch_TIME31337");
    backend.DeliverPending();
    XSync(d, False);
    XEvent event;
    std::vector<long> asked;
    while (XCheckTypedEvent(d, ClientMessage, &event))
        if (event.xclient.message_type == AtomNamed("_NET_ACTIVE_WINDOW") &&
            event.xclient.window == window.NativeId())
            asked = {event.xclient.data.l[0], event.xclient.data.l[1]};
    XSelectInput(d, root, NoEventMask);
    EXPECT_EQ(asked, (std::vector<long>{1, 31337}));  // asked by the program, at that time
}

}  // namespace
}  // namespace platform
