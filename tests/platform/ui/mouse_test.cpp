#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/platform/ui/ui_fixture.h"

namespace platform {
namespace {

using ::testing::ElementsAre;
using testing::UiFixture;

TEST(Mouse, PressMoveReleaseCarryButtonsShiftAndClientCoordinates) {
    UiFixture f;
    auto key = f.Child(Rect::FromSize(20, 10, 40, 30), "key");
    f.system.KeyDown(kKeyShift);
    f.MoveTo(25, 12);
    f.system.ButtonDown(kButtonRight);
    f.system.ButtonDown(kButtonLeft);
    f.MoveTo(30, 15);
    f.system.ButtonUp(kButtonRight);
    f.system.ButtonUp(kButtonLeft);
    EXPECT_THAT(f.log, ElementsAre("key:MouseMove 0 1 5 2", "key:MouseDown 2 1 5 2",
                                   "key:MouseDown 1 1 5 2", "key:MouseMove 3 1 10 5",
                                   "key:MouseUp 2 1 10 5", "key:MouseUp 1 1 10 5", "key:Click"));
}

TEST(Mouse, PressCapturesUntilLastButtonIsReleased) {
    UiFixture f;
    auto key = f.Child(Rect::FromSize(20, 10, 40, 30), "key");
    auto other = f.Child(Rect::FromSize(100, 10, 40, 30), "other");
    f.MoveTo(25, 15);
    f.system.ButtonDown(kButtonLeft);
    EXPECT_EQ(f.system.CaptureWindow(), key.get());
    f.MoveTo(110, 20);   // over "other", still delivered to the captured key
    f.MoveTo(-30, -40);  // even outside the top-level window
    f.system.ButtonUp(kButtonLeft);
    EXPECT_EQ(f.system.CaptureWindow(), nullptr);
    f.MoveTo(110, 20);
    EXPECT_THAT(f.log, ElementsAre("key:MouseMove 0 0 5 5", "key:MouseDown 1 0 5 5",
                                   "key:MouseMove 1 0 90 10", "key:MouseMove 1 0 -50 -50",
                                   "key:MouseUp 1 0 -50 -50", "other:MouseMove 0 0 10 10"));
}

TEST(Mouse, ExplicitCaptureTakesPointerEventsWithoutAPress) {
    UiFixture f;
    auto key = f.Child(Rect::FromSize(20, 10, 40, 30), "key");
    auto other = f.Child(Rect::FromSize(100, 10, 40, 30), "other");
    key->SetCapture();
    f.MoveTo(110, 20);
    f.system.ReleaseCapture();
    f.MoveTo(111, 20);
    EXPECT_THAT(f.log, ElementsAre("key:MouseMove 0 0 90 10", "other:MouseMove 0 0 11 10"));
}

TEST(Mouse, ClickNeedsLeftPressAndReleaseOverTheSameWindow) {
    struct Case {
        const char* what;
        int32_t button;
        Point releaseAt;  // client point of the top-level window
        bool clicked;
    };
    const Case cases[] = {
        {"left, released inside", kButtonLeft, {30, 20}, true},
        {"left, released over another window", kButtonLeft, {110, 20}, false},
        {"left, released outside every window", kButtonLeft, {-5, 20}, false},
        {"left, dragged out and back in", kButtonLeft, {59, 39}, true},
        {"right", kButtonRight, {30, 20}, false},
        {"middle", kButtonMiddle, {30, 20}, false},
    };
    for (const Case& c : cases) {
        UiFixture f;
        auto key = f.Child(Rect::FromSize(20, 10, 40, 30), "key");
        auto other = f.Child(Rect::FromSize(100, 10, 40, 30), "other");
        f.MoveTo(25, 15);
        f.system.ButtonDown(c.button);
        f.MoveTo(110, 20);
        f.MoveTo(c.releaseAt.x, c.releaseAt.y);
        f.system.ButtonUp(c.button);
        const bool clicked = std::count(f.log.begin(), f.log.end(), "key:Click") == 1;
        EXPECT_EQ(clicked, c.clicked) << c.what;
        EXPECT_EQ(std::count(f.log.begin(), f.log.end(), "other:Click"), 0) << c.what;
    }
}

TEST(Mouse, SecondLeftPressSoonAndCloseBecomesADoubleClick) {
    struct Case {
        const char* what;
        int64_t afterMs;
        Point second;  // client point of the second press
        bool doubleClick;
    };
    const Case cases[] = {
        {"at once, same place", 0, {25, 15}, true},
        {"at the double-click time", 500, {25, 15}, true},
        {"after the double-click time", 501, {25, 15}, false},
        {"4 px away on both axes", 100, {29, 19}, true},
        {"5 px away", 100, {30, 15}, false},
        {"5 px away vertically", 100, {25, 10}, false},
    };
    for (const Case& c : cases) {
        UiFixture f;
        auto key = f.Child(Rect::FromSize(5, 5, 60, 40), "key");
        f.MoveTo(25, 15);
        f.system.ButtonDown(kButtonLeft);
        f.system.ButtonUp(kButtonLeft);
        f.backend.AdvanceClock(c.afterMs);
        f.log.clear();
        f.MoveTo(c.second.x, c.second.y);
        f.system.ButtonDown(kButtonLeft);
        f.system.ButtonUp(kButtonLeft);
        const int32_t x = c.second.x - 5;
        const int32_t y = c.second.y - 5;
        const std::string at = " 0 " + std::to_string(x) + " " + std::to_string(y);
        if (c.doubleClick) {
            // The double click replaces the press; its release raises no click.
            EXPECT_THAT(
                f.log, ElementsAre("key:MouseMove 0" + at, "key:DoubleClick", "key:MouseUp 1" + at))
                << c.what;
        } else {
            EXPECT_THAT(f.log, ElementsAre("key:MouseMove 0" + at, "key:MouseDown 1" + at,
                                           "key:MouseUp 1" + at, "key:Click"))
                << c.what;
        }
    }
}

TEST(Mouse, ThirdPressStartsAFreshClickAndOtherWindowsDoNotPair) {
    UiFixture f;
    auto a = f.Child(Rect::FromSize(0, 0, 20, 20), "a");
    auto b = f.Child(Rect::FromSize(20, 0, 20, 20), "b");
    f.MoveTo(18, 5);
    for (int i = 0; i < 3; ++i) {
        f.system.ButtonDown(kButtonLeft);
        f.system.ButtonUp(kButtonLeft);
    }
    f.MoveTo(21, 5);  // 3 px away but another window
    f.system.ButtonDown(kButtonLeft);
    f.system.ButtonUp(kButtonLeft);
    EXPECT_THAT(
        f.log, ElementsAre("a:MouseMove 0 0 18 5", "a:MouseDown 1 0 18 5", "a:MouseUp 1 0 18 5",
                           "a:Click", "a:DoubleClick", "a:MouseUp 1 0 18 5", "a:MouseDown 1 0 18 5",
                           "a:MouseUp 1 0 18 5", "a:Click", "b:MouseMove 0 0 1 5",
                           "b:MouseDown 1 0 1 5", "b:MouseUp 1 0 1 5", "b:Click"));
}

TEST(Mouse, ModalWindowTakesInputAwayFromOtherTopLevelWindows) {
    UiFixture f;
    auto key = f.Child(Rect::FromSize(0, 0, 20, 20), "key");
    testing::RecordingWindow dialog(f.system, nullptr, Rect::FromSize(400, 300, 50, 50), "dialog",
                                    f.log);
    f.backend.SetInputSource(Script()
                                 .MoveTo(105, 55)
                                 .Down()
                                 .Up()
                                 .MoveTo(410, 310)
                                 .Down()
                                 .Up()
                                 .Call([&] { dialog.Hide(); })
                                 .MoveTo(106, 55)
                                 .Source());
    f.system.RunModal(dialog);
    EXPECT_THAT(f.log, ElementsAre("dialog:MouseMove 0 0 10 10", "dialog:MouseDown 1 0 10 10",
                                   "dialog:MouseUp 1 0 10 10", "dialog:Click"));
    f.system.Run();
    EXPECT_EQ(f.log.back(), "key:MouseMove 0 0 6 5");
}

}  // namespace
}  // namespace platform
