// Waiting for input blocks on the display connection until an event or the deadline.
#include <gtest/gtest.h>
#include <unistd.h>

#include <string>

#include "platform/os/owned.h"
#include "tests/platform/display/x11/x11_fixture.h"

namespace platform {
namespace {

TEST_F(X11Fixture, WaitReturnsAtItsDeadlineWithoutInput) {
    Drain();
    for (const int64_t wait : {0, 1, 120}) {
        SCOPED_TRACE(wait);
        const int64_t deadline = backend.Events().NowMs() + wait;
        EXPECT_TRUE(backend.Events().WaitForEvents(deadline));
        EXPECT_GE(backend.Events().NowMs(), deadline);
    }
}

TEST_F(X11Fixture, WaitReturnsWithTheEventThatArrived) {
    RecordingWindow window(system, nullptr, Rect::FromSize(100, 100, 80, 60));
    window.Show();
    Drain();
    window.log.clear();
    XEvent motion{};
    motion.xmotion.type = MotionNotify;
    motion.xmotion.window = window.NativeId();
    motion.xmotion.root = DefaultRootWindow(display.Get());
    motion.xmotion.x = 5;
    motion.xmotion.y = 6;
    motion.xmotion.x_root = 105;
    motion.xmotion.y_root = 106;
    motion.xmotion.same_screen = True;
    XSendEvent(display.Get(), window.NativeId(), False, NoEventMask, &motion);
    XSync(display.Get(), False);
    // The event is already on its way: the wait ends with it, long before this deadline.
    EXPECT_TRUE(backend.Events().WaitForEvents(backend.Events().NowMs() + 60000));
    EXPECT_EQ(window.log, std::vector<std::string>{"MouseMove 0 0 5 6"});
}

// A watched descriptor wakes the wait as input does, and its handler runs inside it.
TEST_F(X11Fixture, WaitRunsTheHandlerOfAWatchedDescriptor) {
    Drain();
    int pipeEnds[2];
    ASSERT_EQ(pipe(pipeEnds), 0);
    const OwnedFd readEnd(pipeEnds[0]);
    OwnedFd writeEnd(pipeEnds[1]);
    std::string heard;
    backend.Events().WatchDescriptor(readEnd.Get(), [&] {
        char c = 0;
        heard += read(readEnd.Get(), &c, 1) == 1 ? c : '.';
    });
    EXPECT_TRUE(backend.Events().WaitForEvents(backend.Events().NowMs() + 10));
    EXPECT_EQ(heard, "");
    ASSERT_EQ(write(writeEnd.Get(), "x", 1), 1);
    const int64_t start = backend.Events().NowMs();
    EXPECT_TRUE(backend.Events().WaitForEvents(start + 60000));
    EXPECT_EQ(heard, "x");
    EXPECT_LT(backend.Events().NowMs() - start, 1000);
    // A writer that hangs up makes the descriptor ready: the handler hears of it too.
    writeEnd.Reset();
    EXPECT_TRUE(backend.Events().WaitForEvents(backend.Events().NowMs() + 60000));
    EXPECT_EQ(heard, "x.");
    backend.Events().UnwatchDescriptor(readEnd.Get());
    const int64_t deadline = backend.Events().NowMs() + 20;
    EXPECT_TRUE(backend.Events().WaitForEvents(deadline));  // the display alone, until the deadline
    EXPECT_GE(backend.Events().NowMs(), deadline);
    EXPECT_EQ(heard, "x.");
}

TEST_F(X11Fixture, MessageLoopSleepsUntilTheNextTimer) {
    // The window quits the loop from its timer, noting when.
    RecordingWindow window(system, nullptr, Rect::FromSize(0, 0, 10, 10));
    int64_t firedAt = -1;
    window.onTimer = [&](int32_t) {
        firedAt = system.NowMs();
        window.KillTimer(1);
        system.Quit();
    };
    window.Show();
    Drain();
    const int64_t start = backend.Events().NowMs();
    window.SetTimer(1, 80);
    system.Run();
    EXPECT_GE(firedAt, start + 80);
}

}  // namespace
}  // namespace platform
