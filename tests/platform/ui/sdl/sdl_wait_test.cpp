// Waiting for input blocks in SDL until an event or the deadline, on SDL's clock.
#include <SDL.h>
#include <gtest/gtest.h>

#include "tests/platform/ui/sdl/sdl_fixture.h"

namespace platform {
namespace {

TEST_F(SdlFixture, WaitReturnsAtItsDeadlineWithoutInput) {
    Drain();
    for (const int64_t wait : {0, 1, 120}) {
        const int64_t start = backend.NowMs();
        const int64_t deadline = start + wait;
        EXPECT_TRUE(backend.WaitForEvents(deadline));
        const int64_t end = backend.NowMs();
        EXPECT_GE(end, deadline);
        EXPECT_LT(end, deadline + 500);
    }
}

TEST_F(SdlFixture, WaitReturnsAsSoonAsAnEventArrives) {
    Drain();
    SDL_Event e{};
    e.type = SDL_QUIT;
    Push(e);
    const int64_t start = backend.NowMs();
    EXPECT_TRUE(backend.WaitForEvents(start + 5000));
    EXPECT_LT(backend.NowMs(), start + 1000);
    EXPECT_FALSE(SDL_HasEvent(SDL_QUIT));
}

/// Quits the loop from its timer, noting when.
class TimerWindow : public Window {
  public:
    using Window::Window;
    int64_t firedAt = -1;
    void OnTimer(int32_t) override {
        firedAt = System().NowMs();
        KillTimer(1);
        System().Quit();
    }
};

TEST_F(SdlFixture, MessageLoopSleepsUntilTheNextTimer) {
    TimerWindow window(system, nullptr, Rect::FromSize(0, 0, 10, 10));
    window.Show();
    Drain();
    const int64_t start = backend.NowMs();
    window.SetTimer(1, 80);
    system.Run();
    EXPECT_GE(window.firedAt, start + 80);
    EXPECT_LT(window.firedAt, start + 500);
}

}  // namespace
}  // namespace platform
