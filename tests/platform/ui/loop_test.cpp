#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/platform/ui/ui_fixture.h"

namespace platform {
namespace {

using ::testing::ElementsAre;
using testing::RecordingWindow;
using testing::UiFixture;

// A splash-like modal window that fades in on a 30 ms timer, then closes itself.
class Fader : public RecordingWindow {
  public:
    using RecordingWindow::RecordingWindow;
    void OnShow() override { SetTimer(1, 30); }
    void OnHide() override { KillTimer(1); }
    void OnTimer(int32_t id) override {
        RecordingWindow::OnTimer(id);
        if (Opacity() == 255) {
            Close();
            return;
        }
        SetOpacity(static_cast<uint8_t>(Opacity() + 85));
    }
};

TEST(Loops, NestedModalLoopsRunOnTheSameScript) {
    UiFixture f;
    auto key = f.Child(Rect::FromSize(0, 0, 20, 20), "key");
    Fader fader(f.system, nullptr, Rect::FromSize(0, 0, 60, 40), "fader", f.log);
    fader.SetOpacity(0);
    key->onClick = [&] {
        f.log.push_back("modal in");
        f.system.RunModal(fader);
        f.log.push_back("modal out @" + std::to_string(f.system.NowMs()));
    };
    f.backend.SetInputSource(Script()
                                 .MoveTo(105, 55)
                                 .Down()
                                 .Up()  // the click opens the modal loop
                                 .Advance(200)
                                 .MoveTo(106, 55)  // back in the outer loop
                                 .Source());
    f.system.Run();
    EXPECT_THAT(f.log,
                ElementsAre("key:MouseMove 0 0 5 5", "key:MouseDown 1 0 5 5", "key:MouseUp 1 0 5 5",
                            "key:Click", "modal in", "fader:Timer 1 @30", "fader:Timer 1 @60",
                            "fader:Timer 1 @90", "fader:Timer 1 @120", "fader:CloseRequest",
                            "modal out @120", "key:MouseMove 0 0 6 5"));
    EXPECT_EQ(f.backend.NowMs(), 200);  // the rest of the Advance ran in the outer loop
    EXPECT_FALSE(fader.IsVisible());
    EXPECT_EQ(fader.NativeId(), 0u);
}

TEST(Loops, ExhaustedScriptEndsEveryLoopInsteadOfWaiting) {
    UiFixture f;
    RecordingWindow dialog(f.system, nullptr, Rect::FromSize(0, 0, 60, 40), "dialog", f.log);
    f.backend.SetInputSource(Script().Advance(5).Source());
    f.system.RunModal(dialog);
    EXPECT_TRUE(dialog.IsVisible());  // never closed: the input simply ended
    EXPECT_EQ(f.backend.NowMs(), 5);
    f.system.Run();  // returns at once
}

TEST(Loops, QuitEndsNestedAndOuterLoops) {
    UiFixture f;
    RecordingWindow dialog(f.system, nullptr, Rect::FromSize(0, 0, 60, 40), "dialog", f.log);
    f.top.SetTimer(1, 10);
    f.top.onTimer = [&](int32_t) {
        dialog.SetTimer(2, 5);
        f.system.RunModal(dialog);
        f.log.push_back("modal returned");
    };
    dialog.onTimer = [&](int32_t) { f.system.Quit(); };
    f.backend.SetInputSource(Script().Advance(1000).Source());
    f.system.Run();
    EXPECT_THAT(f.log, ElementsAre("top:Timer 1 @10", "dialog:Timer 2 @15", "modal returned"));
    EXPECT_TRUE(f.system.QuitRequested());
    EXPECT_EQ(f.backend.NowMs(), 15);
}

TEST(Loops, CloseRequestCanBeRefused) {
    UiFixture f;
    f.top.allowClose = false;
    f.system.CloseRequest(f.top.Handle());
    EXPECT_TRUE(f.top.IsVisible());
    f.top.allowClose = true;
    f.system.KeyDown(kKeyAlt);
    f.system.KeyDown(kKeyF4);
    EXPECT_FALSE(f.top.IsVisible());
    EXPECT_THAT(f.log, ElementsAre("top:CloseRequest", "top:CloseRequest"));
}

TEST(Loops, PostedTasksRunInOrderFromDispatchPending) {
    UiFixture f;
    std::vector<int> order;
    f.system.Post([&] {
        order.push_back(1);
        f.system.Post([&] { order.push_back(3); });
    });
    f.system.Post([&] { order.push_back(2); });
    EXPECT_TRUE(order.empty());
    f.system.DispatchPending();
    EXPECT_THAT(order, ElementsAre(1, 2, 3));
}

TEST(Loops, WhenShownTasksRunOnceTheLoopHasPresentedEveryWindow) {
    UiFixture f;
    std::vector<std::string> order;
    const auto presented = [&] { return f.backend.Native(f.top.NativeId())->presentCount; };
    f.system.PostWhenShown([&] {
        order.push_back("when shown");
        f.system.Post([&] { order.push_back("posted by it"); });
    });
    f.system.Post([&] { order.push_back("posted"); });
    f.system.DispatchPending();
    EXPECT_THAT(order, ElementsAre("posted"));  // only message loops run them

    const size_t before = presented();
    f.top.Invalidate();
    size_t presentedFirst = 0;
    f.system.PostWhenShown([&] { presentedFirst = presented(); });
    f.backend.SetInputSource(Script().Advance(1).Source());
    f.system.Run();
    EXPECT_THAT(order, ElementsAre("posted", "when shown", "posted by it"));
    EXPECT_GT(presentedFirst, before);  // the invalidated window reached the display first
}

// Destroying a window from inside its handlers: the system must not touch it afterwards
// (AddressSanitizer reports any use after free).
TEST(Destruction, HandlerThatDestroysItsOwnWindow) {
    struct Case {
        const char* what;
        std::function<void(std::unique_ptr<RecordingWindow>&)> arm;
    };
    const std::vector<Case> cases = {
        {"in MouseDown", [](auto& w) { w->onMouseDown = [&w] { w.reset(); }; }},
        {"in MouseUp, before Click", [](auto& w) { w->onMouseUp = [&w] { w.reset(); }; }},
        {"in Click", [](auto& w) { w->onClick = [&w] { w.reset(); }; }},
    };
    for (const Case& c : cases) {
        UiFixture f;
        auto key = f.Child(Rect::FromSize(0, 0, 20, 20), "key");
        key->SetFocusable(true);
        key->Focus();
        key->SetTimer(1, 3);
        const WindowHandle handle = key->Handle();
        c.arm(key);
        f.MoveTo(5, 5);
        f.system.ButtonDown(kButtonLeft);
        f.system.ButtonUp(kButtonLeft);
        EXPECT_EQ(key, nullptr) << c.what;
        EXPECT_EQ(f.system.Find(handle), nullptr) << c.what;
        EXPECT_EQ(f.system.FocusWindow(), nullptr) << c.what;
        EXPECT_EQ(f.system.CaptureWindow(), nullptr) << c.what;
        EXPECT_EQ(f.log.back().find("key:Click") != std::string::npos,
                  std::string(c.what) == "in Click")
            << c.what;
        f.backend.AdvanceClock(10);  // its timer is gone
        f.system.KeyDown(kKeySpace);
        f.system.ButtonDown(kButtonLeft);
        EXPECT_EQ(f.log.back(), "top:MouseDown 1 0 5 5") << c.what;
    }
}

TEST(Destruction, ParentDestroyedFirstLeavesChildrenDetached) {
    UiFixture f;
    auto panel = f.Child(Rect::FromSize(10, 10, 50, 50), "panel");
    auto key = f.Child(*panel, Rect::FromSize(5, 5, 10, 10), "key");
    key->SetFocusable(true);
    key->Focus();
    panel.reset();
    EXPECT_EQ(key->TopLevel(), nullptr);
    EXPECT_FALSE(key->IsShown());
    EXPECT_EQ(f.system.FocusWindow(), nullptr);
    EXPECT_EQ(f.system.WindowAtPoint({120, 65}), &f.top);
    f.system.UpdateAll();
    key.reset();
}

TEST(Destruction, ModalWindowDestroyedByItsTimerEndsTheModalLoop) {
    UiFixture f;
    auto dialog = std::make_unique<RecordingWindow>(f.system, nullptr, Rect::FromSize(0, 0, 60, 40),
                                                    "dialog", f.log);
    dialog->SetTimer(1, 50);
    dialog->onTimer = [&](int32_t) { dialog.reset(); };
    f.backend.SetInputSource(
        Script().Advance(100).Call([&] { f.log.push_back("after"); }).Source());
    f.system.RunModal(*dialog);
    f.log.push_back("returned @" + std::to_string(f.system.NowMs()));
    EXPECT_THAT(f.log, ElementsAre("dialog:Timer 1 @50", "returned @50"));
}

}  // namespace
}  // namespace platform
