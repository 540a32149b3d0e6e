#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/ui/timer_queue.h"
#include "tests/platform/ui/ui_fixture.h"

namespace platform {
namespace {

using ::testing::ElementsAre;
using testing::RecordingWindow;
using testing::UiFixture;

TEST(Timers, FireInOrderAtExactTimesOnTheVirtualClock) {
    UiFixture f;
    auto key = f.Child(Rect::FromSize(0, 0, 10, 10), "key");
    f.backend.AdvanceClock(7);
    key->SetTimer(1, 3);   // due 10, 13, 16, ...
    f.top.SetTimer(2, 5);  // due 12, 17, ...
    key->SetTimer(3, 5);   // due 12 as well: started later, fires later
    f.backend.AdvanceClock(10);
    EXPECT_THAT(f.log, ElementsAre("key:Timer 1 @10", "top:Timer 2 @12", "key:Timer 3 @12",
                                   "key:Timer 1 @13", "key:Timer 1 @16", "top:Timer 2 @17",
                                   "key:Timer 3 @17"));
    EXPECT_EQ(f.backend.NowMs(), 17);
}

TEST(Timers, KillRestartAndDestroyStopTicks) {
    UiFixture f;
    auto key = f.Child(Rect::FromSize(0, 0, 10, 10), "key");
    key->SetTimer(1, 3);
    key->onTimer = [&](int32_t) { key->KillTimer(1); };  // a one-shot
    f.top.SetTimer(2, 4);
    f.backend.AdvanceClock(2);
    f.top.SetTimer(2, 10);  // restarted at 2 with a new interval: due 12
    f.backend.AdvanceClock(20);
    EXPECT_THAT(f.log, ElementsAre("key:Timer 1 @3", "top:Timer 2 @12", "top:Timer 2 @22"));
    f.log.clear();
    key->SetTimer(5, 1);
    key.reset();
    f.backend.AdvanceClock(5);
    EXPECT_TRUE(f.log.empty());
}

TEST(Timers, ScriptedAdvanceInsideTheLoopStopsAtEveryDeadline) {
    UiFixture f;
    auto key = f.Child(Rect::FromSize(0, 0, 10, 10), "key");
    key->SetTimer(1, 3);
    key->onTimer = [&](int32_t) {
        if (f.system.NowMs() >= 9) key->KillTimer(1);
    };
    f.backend.SetInputSource(
        Script()
            .Advance(4)
            .Advance(7)
            .Call([&] { f.log.push_back("at " + std::to_string(f.system.NowMs())); })
            .Source());
    f.system.Run();
    EXPECT_THAT(f.log, ElementsAre("key:Timer 1 @3", "key:Timer 1 @6", "key:Timer 1 @9", "at 11"));
}

// A pointer poll ticks once after its start, then only at its period's next time after the
// pointer moved or left or a window changed; meanwhile no deadline wakes the program.
TEST(Timers, APointerPollTicksOnlyAfterThePointerOrAWindowChanged) {
    UiFixture f;
    auto key = f.Child(Rect::FromSize(0, 0, 10, 10), "key");
    key->SetTimer(1, 3, TimerKind::PointerPoll);  // period times 3, 6, 9, ...
    f.top.SetTimer(2, 40);
    f.backend.AdvanceClock(10);
    EXPECT_EQ(f.system.NextTimerDueMs(), 40);
    f.MoveTo(5, 5);
    f.backend.AdvanceClock(10);  // t = 20
    f.system.PointerLeftWindow(f.top.Handle());
    f.backend.AdvanceClock(10);  // t = 30
    key->Invalidate();
    f.backend.AdvanceClock(10);
    EXPECT_THAT(f.log, ElementsAre("key:Timer 1 @3", "key:MouseMove 0 0 5 5", "key:Timer 1 @12",
                                   "key:Timer 1 @21", "key:Timer 1 @30", "top:Timer 2 @40"));
}

TEST(TimerQueueTest, LateTimerFiresOnceAndKeepsItsInterval) {
    TimerQueue q;
    q.Start(1, 7, 3, 0);
    EXPECT_EQ(q.NextDueMs(), 3);
    EXPECT_FALSE(q.PopDue(2));
    const auto due = q.PopDue(20);  // fell far behind: one tick, next one interval later
    ASSERT_TRUE(due);
    EXPECT_EQ(due->window, 1u);
    EXPECT_EQ(due->id, 7);
    EXPECT_FALSE(q.PopDue(20));
    EXPECT_EQ(q.NextDueMs(), 23);
    q.Start(2, 1, 0, 20);  // below 1 ms counts as 1 ms
    EXPECT_EQ(q.NextDueMs(), 21);
    q.StopAll(2);
    q.Stop(1, 7);
    EXPECT_EQ(q.NextDueMs(), kNoDeadline);
}

}  // namespace
}  // namespace platform
