#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "tests/platform/ui/ui_fixture.h"

namespace platform {
namespace {

using ::testing::ElementsAre;
using testing::RecordingWindow;
using testing::UiFixture;

// Five focusable keys named by their tab index; tree order differs from tab order, and a
// nested panel holds two of them.
struct FocusRow : UiFixture {
    std::unique_ptr<RecordingWindow> panel = Child(Rect::FromSize(0, 50, 200, 50), "panel");
    std::unique_ptr<RecordingWindow> k2 = Key(top, 2);
    std::unique_ptr<RecordingWindow> k0 = Key(top, 0);
    std::unique_ptr<RecordingWindow> k3 = Key(*panel, 3);
    std::unique_ptr<RecordingWindow> k1 = Key(*panel, 1);
    std::unique_ptr<RecordingWindow> k4 = Key(top, 4);

    std::unique_ptr<RecordingWindow> Key(Window& parent, int32_t tabIndex) {
        auto w =
            Child(parent, Rect::FromSize(tabIndex * 20, 0, 20, 20), "k" + std::to_string(tabIndex));
        w->SetFocusable(true);
        w->SetTabIndex(tabIndex);
        return w;
    }
    // Presses Tab (Shift+Tab when backward) and returns the focused window's name.
    std::string Tab(bool backward = false) {
        if (backward) system.KeyDown(kKeyShift);
        system.KeyDown(kKeyTab);
        system.KeyUp(kKeyTab);
        if (backward) system.KeyUp(kKeyShift);
        const auto* focus = static_cast<const RecordingWindow*>(system.FocusWindow());
        return focus ? focus->Name() : "none";
    }
};

TEST(Focus, TabWalksTabIndexOrderAcrossDescendantsAndWraps) {
    FocusRow f;
    std::vector<std::string> forward;
    for (int i = 0; i < 6; ++i)
        forward.push_back(f.Tab());
    EXPECT_THAT(forward, ElementsAre("k0", "k1", "k2", "k3", "k4", "k0"));
    std::vector<std::string> backward;
    for (int i = 0; i < 3; ++i)
        backward.push_back(f.Tab(true));
    EXPECT_THAT(backward, ElementsAre("k4", "k3", "k2"));
}

TEST(Focus, TabSkipsHiddenDisabledAndUnfocusableWindows) {
    struct Case {
        const char* what;
        std::function<void(FocusRow&)> change;
        std::vector<std::string> order;  // from k0 on
    };
    const std::vector<Case> cases = {
        {"k1 hidden", [](FocusRow& f) { f.k1->Hide(); }, {"k2", "k3", "k4", "k0"}},
        {"k2 disabled", [](FocusRow& f) { f.k2->SetEnabled(false); }, {"k1", "k3", "k4", "k0"}},
        {"k3 unfocusable",
         [](FocusRow& f) { f.k3->SetFocusable(false); },
         {"k1", "k2", "k4", "k0"}},
        {"panel hidden", [](FocusRow& f) { f.panel->Hide(); }, {"k2", "k4", "k0", "k2"}},
        {"panel disabled",
         [](FocusRow& f) { f.panel->SetEnabled(false); },
         {"k2", "k4", "k0", "k2"}},
    };
    for (const Case& c : cases) {
        FocusRow f;
        f.k0->Focus();
        c.change(f);
        std::vector<std::string> order;
        for (size_t i = 0; i < c.order.size(); ++i)
            order.push_back(f.Tab());
        EXPECT_EQ(order, c.order) << c.what;
    }
}

TEST(Focus, NotificationsGoLostThenGotAndTabReachesNoHandler) {
    FocusRow f;
    f.k0->Focus();
    f.log.clear();
    f.Tab();
    EXPECT_THAT(f.log, ElementsAre("k0:LostFocus", "k1:GotFocus", "k1:KeyUp 9 0"));
    f.log.clear();
    f.system.KeyDown(kKeySpace);
    f.system.KeyDown(kKeySpace);  // auto-repeat
    f.system.Character(' ');
    f.system.KeyUp(kKeySpace);
    EXPECT_THAT(f.log, ElementsAre("k1:KeyDown 32 0", "k1:KeyDown 32 0", "k1:KeyPress 32",
                                   "k1:KeyUp 32 0"));
}

TEST(Focus, HidingOrDisablingTheFocusedWindowTakesTheFocusAway) {
    FocusRow f;
    f.k1->Focus();
    f.panel->Hide();
    EXPECT_EQ(f.system.FocusWindow(), nullptr);
    f.k2->Focus();
    f.k2->SetEnabled(false);
    EXPECT_EQ(f.system.FocusWindow(), nullptr);
    f.k2->Focus();  // a disabled window cannot take it
    EXPECT_EQ(f.system.FocusWindow(), nullptr);
    EXPECT_THAT(f.log, ElementsAre("k1:GotFocus", "k1:LostFocus", "k2:GotFocus", "k2:LostFocus"));
}

TEST(Keystrokes, QueuedTabsAreDeliveredLaterByTheLoop) {
    FocusRow f;
    f.k1->Focus();
    f.k1->onKeyDown = [&](int32_t& keyCode) {
        if (keyCode == kKeyRight) f.system.SendKeys("{Tab}");
        if (keyCode == kKeyLeft) f.system.SendKeys("+{Tab}+{Tab}");
    };
    f.log.clear();
    f.system.KeyDown(kKeyRight);
    // Sending returns at once; the focus has not moved yet.
    EXPECT_EQ(f.system.FocusWindow(), f.k1.get());
    f.system.KeyUp(kKeyRight);
    f.system.DispatchPending();
    EXPECT_EQ(f.system.FocusWindow(), f.k2.get());
    EXPECT_THAT(f.log, ElementsAre("k1:KeyDown 39 0", "k1:KeyUp 39 0", "k1:LostFocus",
                                   "k2:GotFocus", "k2:KeyUp 9 0"));

    f.k1->Focus();
    f.system.KeyDown(kKeyLeft);
    f.system.DispatchPending();
    EXPECT_EQ(f.system.FocusWindow(), f.k4.get());  // two back from k1, wrapping
    EXPECT_THROW(f.system.SendKeys("{Enter}"), std::invalid_argument);
    EXPECT_THROW(f.system.SendKeys("{Tab}x"), std::invalid_argument);
}

struct AccessKeys : UiFixture {
    std::unique_ptr<RecordingWindow> text = Child(Rect::FromSize(0, 0, 50, 20), "text");
    std::unique_ptr<RecordingWindow> ok = Child(Rect::FromSize(60, 0, 50, 20), "ok");
    std::unique_ptr<RecordingWindow> seven = Child(Rect::FromSize(120, 0, 50, 20), "seven");

    AccessKeys() {
        text->SetFocusable(true);
        text->SetTakesCharacters(true);
        ok->SetFocusable(true);
        ok->SetAccessKeys("o");
        seven->SetAccessKeys("7");
    }
};

TEST(AccessKeysTest, AltWithTheKeyActivatesTheRegisteredWindow) {
    AccessKeys f;
    f.text->Focus();
    f.log.clear();
    f.system.KeyDown(kKeyAlt);
    f.system.KeyDown('O');
    f.system.Character('o');  // no character while Alt is held
    f.system.KeyUp('O');
    f.system.KeyDown('7');
    f.system.KeyUp(kKeyAlt);
    EXPECT_THAT(f.log, ElementsAre("text:KeyDown 18 4", "ok:AccessKey", "text:KeyUp 79 4",
                                   "seven:AccessKey", "text:KeyUp 18 0"));
}

TEST(AccessKeysTest, CharacterAloneActivatesOnlyWhenTheFocusedWindowTakesNoCharacters) {
    AccessKeys f;
    f.text->Focus();
    f.system.Character('O');
    EXPECT_EQ(f.log.back(), "text:KeyPress 79");
    f.ok->Focus();
    f.system.Character('7');
    f.system.Character('O');  // letter case does not matter
    f.system.Character('x');  // no window registered it: the focused window gets it
    EXPECT_THAT(f.log,
                ElementsAre("text:GotFocus", "text:KeyPress 79", "text:LostFocus", "ok:GotFocus",
                            "seven:AccessKey", "ok:AccessKey", "ok:KeyPress 120"));
}

TEST(AccessKeysTest, DisabledOrHiddenWindowsIgnoreTheirAccessKey) {
    AccessKeys f;
    f.seven->SetEnabled(false);
    f.ok->Hide();
    f.system.Character('7');
    f.system.Character('o');
    EXPECT_TRUE(f.log.empty());
}

TEST(ScriptedKeys, ModifiersWrapTheKeyAndReachTheFocusedWindow) {
    AccessKeys f;
    f.text->Focus();
    f.log.clear();
    f.backend.SetInputSource(Script()
                                 .Key(kKeyTab, kShiftShift)  // back to nothing before "text"
                                 .MoveInWindow(f.top, 61, 1)
                                 .Key('A', kShiftShift | kShiftCtrl)
                                 .Key('O', kShiftAlt)
                                 .Source());
    f.system.Run();
    EXPECT_THAT(
        f.log,
        ElementsAre("text:KeyDown 16 1", "text:LostFocus", "ok:GotFocus", "ok:KeyUp 9 1",
                    "ok:KeyUp 16 0", "ok:MouseMove 0 0 1 1", "ok:KeyDown 16 1", "ok:KeyDown 17 3",
                    "ok:KeyDown 65 3", "ok:KeyUp 65 3", "ok:KeyUp 17 1", "ok:KeyUp 16 0",
                    "ok:KeyDown 18 4", "ok:AccessKey", "ok:KeyUp 79 4", "ok:KeyUp 18 0"));
}

}  // namespace
}  // namespace platform
