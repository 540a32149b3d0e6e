// The splash window on the headless display's virtual clock: the fade phases, the ways to skip
// to the fade-out, the blink, and the load with another copy running.
#include "splash/form2.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "forms/form.h"
#include "platform/display/headless/headless_backend.h"
#include "platform/objects/picture.h"
#include "platform/ui/keys.h"
#include "platform/ui/window_system.h"
#include "resources/tavik_resources.h"

namespace splash {
namespace {

forms::FormDesign OwnerDesign() {
    forms::FormDesign design;
    design.caption = "Owner";
    design.widthTwips = 1500;
    design.heightTwips = 1500;
    return design;
}

/// A splash with a hidden owner on a headless display, run modally on a script.
struct SplashEnv {
    explicit SplashEnv(InstanceCheck check = {})
        : splash(system, {platform::LoadPicture(resources::Resource("splash-strip.jpg")).Value()},
                 owner, std::move(check)) {}

    /// Runs `check` at `atMs` on the clock (from 0).
    void At(int64_t atMs, std::function<void()> check) {
        script.Advance(atMs - scheduledMs).Call([this, check = std::move(check)] {
            check();
            ++checksRun;
        });
        scheduledMs = atMs;
        ++checksScheduled;
    }
    void ClickAt(int64_t atMs, platform::Point client) {
        script.Advance(atMs - scheduledMs).MoveInWindow(splash, client.x, client.y).Down().Up();
        scheduledMs = atMs;
    }
    /// Shows the splash modally, then goes on with the owner's loop until the script ends, so
    /// that checks after the splash has closed run too; every check must have run.
    void Run() {
        backend.SetInputSource(script.Source());
        splash.ShowModal();
        if (system.QuitRequested()) return;
        system.Run();
        EXPECT_EQ(checksRun, checksScheduled);
    }
    bool Closed() const { return !splash.IsVisible() && owner.IsVisible(); }

    platform::HeadlessBackend backend{{1024, 768}};
    platform::WindowSystem system{backend};
    forms::Form owner{system, OwnerDesign()};
    Form2 splash;
    platform::Script script;
    int64_t scheduledMs = 0;
    int checksScheduled = 0;
    int checksRun = 0;
};

TEST(SplashTest, IsMadeFromTheDesign) {
    SplashEnv env;
    const Form2& s = env.splash;
    EXPECT_FALSE(s.IsBordered());
    EXPECT_EQ(s.ClientWidth(), 399);
    EXPECT_EQ(s.ClientHeight(), 185);
    EXPECT_EQ(s.BackColor(), 0x00FF8080u);
    EXPECT_EQ(s.Label3.Caption(), "Version 2.0");
    EXPECT_EQ(s.Label6.Caption(), "Tavik Software");
    EXPECT_EQ(s.Label8.Caption(), "calculator@tavik.example");
    EXPECT_EQ(s.Label12.Caption(), "https://tavik.example");
    EXPECT_EQ(s.lblblink.Caption(), "\xC2\xA9 2026 Tavik");
    EXPECT_EQ(s.lblblink.ForeColor(), 0x00FFFFFFu);
    EXPECT_EQ(s.Shape1.FillColor(), 0x000000FFu);
    struct TimerCase {
        const forms::Timer* timer;
        int32_t interval;
        bool enabled;
    };
    for (const TimerCase& t : {TimerCase{&s.timeInc, 30, true}, TimerCase{&s.timeWait, 1000, false},
                               TimerCase{&s.timeDec, 30, false}, TimerCase{&s.Timer2, 500, true}}) {
        EXPECT_EQ(t.timer->Interval(), t.interval);
        EXPECT_EQ(t.timer->IsEnabled(), t.enabled);
    }
    EXPECT_EQ(s.OpacityLevel(), 0);
    EXPECT_EQ(s.WaitTicks(), 0);
    EXPECT_FALSE(s.BlinkOn());
}

TEST(SplashTest, FadesInHoldsFadesOutThenShowsItsOwner) {
    SplashEnv env;
    const Form2& s = env.splash;
    struct Step {
        int64_t atMs;
        uint8_t opacity;  // applied to the window
        uint8_t level;    // opacityLevel
        bool fadingOut;
        bool closed;
    };
    const Step steps[] = {
        {0, 1, 0, false, false},         // loaded almost transparent
        {29, 1, 0, false, false},        //
        {30, 5, 5, false, false},        // first fade-in step
        {60, 10, 10, false, false},      //
        {1500, 250, 250, false, false},  // the top, after 50 steps
        {1530, 250, 250, false, false},  // applied once more; the hold starts
        {2530, 250, 250, false, false},  // first hold tick only counts
        {3529, 250, 250, false, false},  //
        {3530, 250, 250, true, false},   // second hold tick starts the fade-out
        {3560, 250, 240, true, false},   // applies the level, then lowers it
        {3590, 240, 230, true, false},   //
        {4250, 20, 10, true, false},     // the last value applied
        {4279, 20, 10, true, false},     //
        {4280, 20, 10, false, true},     // closed: about 1.5 s + 2 s + 0.75 s
    };
    for (const Step& step : steps) {
        env.At(step.atMs, [&env, &s, step] {
            SCOPED_TRACE(step.atMs);
            EXPECT_EQ(s.Opacity(), step.opacity);
            EXPECT_EQ(s.OpacityLevel(), step.level);
            EXPECT_EQ(s.timeDec.IsEnabled(), step.fadingOut);
            EXPECT_EQ(env.Closed(), step.closed);
        });
    }
    env.Run();
    EXPECT_TRUE(env.Closed());
    EXPECT_EQ(s.WaitTicks(), 1);
}

TEST(SplashTest, ClicksAndTypingDuringTheFadeInStartTheFadeOutAtTheCurrentLevel) {
    struct Case {
        std::string what;
        std::function<platform::Point(const Form2&)> where;  // empty: a typed character
        bool skips;
    };
    const auto centre = [](const forms::LightControl& c) {
        const platform::Rect r = c.Bounds();
        return platform::Point{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    };
    const Case cases[] = {
        {"background",
         [](const Form2&) {
             return platform::Point{200, 150};
         },
         true},
        {"red flag", [&](const Form2& s) { return centre(s.Shape1); }, true},
        {"white flag", [&](const Form2& s) { return centre(s.Shape2); }, true},
        {"lblblink", [&](const Form2& s) { return centre(s.lblblink); }, true},
        {"typed character", {}, true},
        {"Label1", [&](const Form2& s) { return centre(s.Label1); }, false},
        {"Label6", [&](const Form2& s) { return centre(s.Label6); }, false},
        {"Label5", [&](const Form2& s) { return centre(s.Label5); }, false},
        {"Picture1",
         [](const Form2&) {
             return platform::Point{200, 2};
         },
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SplashEnv env;
        const Form2& s = env.splash;
        if (c.where) {
            env.ClickAt(300, c.where(s));  // level 50
        } else {
            env.script.Advance(300).Char('x');
            env.scheduledMs = 300;
        }
        if (c.skips) {
            // Applies 50, 40, 30, 20 on the fade-out ticks, then closes.
            env.At(330, [&] { EXPECT_EQ(s.Opacity(), 50); });
            env.At(420, [&] { EXPECT_EQ(s.Opacity(), 20); });
            env.At(449, [&] { EXPECT_FALSE(env.Closed()); });
            env.At(450, [&] { EXPECT_TRUE(env.Closed()); });
        } else {
            env.At(330, [&] {
                EXPECT_EQ(s.OpacityLevel(), 55);
                EXPECT_TRUE(s.timeInc.IsEnabled());
                EXPECT_FALSE(s.timeDec.IsEnabled());
            });
        }
        env.Run();
    }
}

TEST(SplashTest, AClickDuringTheHoldFadesOutFrom250) {
    SplashEnv env;
    const Form2& s = env.splash;
    env.ClickAt(2000, {200, 150});
    env.At(2030, [&] { EXPECT_EQ(s.Opacity(), 250); });
    env.At(2060, [&] { EXPECT_EQ(s.Opacity(), 240); });
    env.At(2780, [&] { EXPECT_TRUE(env.Closed()); });
    env.Run();
    EXPECT_TRUE(env.Closed());
}

TEST(SplashTest, AClickRightAfterShowingClosesOnTheNextFadeOutTick) {
    SplashEnv env;
    env.ClickAt(30, {200, 150});  // level 5
    env.At(59, [&] { EXPECT_FALSE(env.Closed()); });
    env.At(60, [&] { EXPECT_TRUE(env.Closed()); });
    env.Run();
}

TEST(SplashTest, UnderReducedMotionShowsAtTheTopForTheHoldWithoutFades) {
    constexpr platform::Appearance kReduced{.reducedMotion = true};
    struct Case {
        std::string what;
        int64_t reducedFromMs;  // -1: asked for before the splash shows
        int64_t clickMs;        // -1: no click
        int64_t closedMs;
    };
    const Case cases[] = {
        {"from the start", -1, -1, 2000},
        {"from the start, clicked", -1, 500, 500},
        {"asked for during the fade-in", 300, -1, 2300},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SplashEnv env;
        const Form2& s = env.splash;
        if (c.reducedFromMs < 0) {
            env.system.SetDesktopAppearance(platform::AppearanceSource::Portal, kReduced);
        } else {
            env.At(c.reducedFromMs, [&] {
                EXPECT_LT(s.Opacity(), 250);
                env.system.SetDesktopAppearance(platform::AppearanceSource::Portal, kReduced);
                EXPECT_EQ(s.Opacity(), 250);
            });
        }
        env.At(std::max<int64_t>(c.reducedFromMs, 0) + 1, [&] {
            EXPECT_EQ(s.Opacity(), 250);
            EXPECT_FALSE(s.timeInc.IsEnabled());
        });
        env.At(c.closedMs - 1, [&] {
            EXPECT_FALSE(env.Closed());
            EXPECT_EQ(s.Opacity(), 250);
        });
        if (c.clickMs >= 0) env.ClickAt(c.clickMs, {200, 150});
        env.At(c.closedMs, [&] { EXPECT_TRUE(env.Closed()); });
        env.Run();
        EXPECT_FALSE(s.timeDec.IsEnabled());
    }
}

TEST(SplashTest, TheNoticeIsWhiteForASecondThenBlinksEveryHalfSecond) {
    SplashEnv env;
    const Form2& s = env.splash;
    const struct {
        int64_t atMs;
        uint32_t colour;
    } steps[] = {{0, 0x00FFFFFF},    {499, 0x00FFFFFF},  {500, 0x00FFFFFF},
                 {999, 0x00FFFFFF},  {1000, 0x00000000}, {1499, 0x00000000},
                 {1500, 0x00FFFFFF}, {2000, 0x00000000}, {2500, 0x00FFFFFF}};
    for (const auto& step : steps) {
        env.At(step.atMs, [&s, step] {
            SCOPED_TRACE(step.atMs);
            EXPECT_EQ(s.lblblink.ForeColor(), step.colour);
        });
    }
    env.Run();
}

TEST(SplashTest, AnotherCopyRunningEndsTheProgramBeforeAnythingIsShown) {
    bool asked = false;
    SplashEnv env([&] {
        asked = true;
        return true;
    });
    env.script.Advance(1000).Call([] { ADD_FAILURE() << "the splash ran"; });
    env.Run();
    EXPECT_TRUE(asked);
    EXPECT_TRUE(env.splash.EndedProgram());
    EXPECT_TRUE(env.system.QuitRequested());
    EXPECT_EQ(env.splash.NativeId(), 0u);
    EXPECT_FALSE(env.owner.IsVisible());
}

TEST(SplashTest, WithNoOtherCopyTheCheckIsAskedAndTheSplashRuns) {
    bool asked = false;
    SplashEnv env([&] {
        asked = true;
        return false;
    });
    env.At(30, [&] { EXPECT_NE(env.splash.NativeId(), 0u); });
    env.Run();
    EXPECT_TRUE(asked);
    EXPECT_FALSE(env.splash.EndedProgram());
}

}  // namespace
}  // namespace splash
