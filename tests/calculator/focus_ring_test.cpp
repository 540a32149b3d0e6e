// The focus ring on the calculator: its keys draw no focus rectangle of their own, so the ring
// the window system draws is what shows a keyboard user where the focus is.
#include <gtest/gtest.h>

#include <iterator>
#include <optional>
#include <set>

#include "platform/gfx/contrast.h"
#include "platform/objects/system_colors.h"
#include "platform/ui/compositor.h"
#include "program_env.h"

namespace calculator {
namespace {

using platform::Color;
using platform::Point;
using platform::Rect;
using testing::KeyBounds;
using testing::kPastSplashMs;
using testing::ProgramEnv;

// The focused window's rectangle in the calculator window's client coordinates.
Rect FocusedRect(ProgramEnv& env) {
    const platform::Window* focus = env.system.FocusWindow();
    const Point origin = env.Main().ScreenToClient(focus->ClientToScreen({0, 0}));
    return Rect::FromSize(origin.x, origin.y, focus->ClientWidth(), focus->ClientHeight());
}

// The calculator window on the screen is the window composed afresh, but for the ring around
// `around` when given: the device pixels from Edge(around inflated by 2) to Edge(around), each
// black or white and at least 3:1 against each of its four neighbours that lies beyond the ring
// or inside the focused window.
void ExpectRing(ProgramEnv& env, std::optional<Rect> around) {
    const main& window = env.Main();
    const platform::Surface& shown = env.backend.Native(window.NativeId())->screen;
    platform::Surface bare(window.ClientWidth(), window.ClientHeight(), 0, {window.Scale(), {}});
    platform::ComposeArea(window, bare, bare.Bounds());
    const Rect outer = around ? window.Scale().Map(around->Inflate(2, 2)) : Rect{};
    const Rect inner = around ? window.Scale().Map(*around) : Rect{};
    const auto onRing = [&](Point p) { return outer.Contains(p) && !inner.Contains(p); };
    int32_t ring = 0, changed = 0, weak = 0;
    for (int32_t y = 0; y < shown.DeviceHeight(); ++y) {
        for (int32_t x = 0; x < shown.DeviceWidth(); ++x) {
            const Color c = shown.Row(y)[x];
            if (!onRing({x, y})) {
                changed += c != bare.Row(y)[x];
                continue;
            }
            ++ring;
            weak += c != 0x000000 && c != 0xFFFFFF;
            for (const Point q : {Point{x - 1, y}, {x + 1, y}, {x, y - 1}, {x, y + 1}}) {
                if (bare.DeviceBounds().Contains(q) && !onRing(q))
                    weak += platform::ContrastRatio(c, bare.Row(q.y)[q.x]) < 3.0;
            }
        }
    }
    EXPECT_EQ(changed, 0);
    EXPECT_EQ(weak, 0);
    EXPECT_EQ(ring, outer.Width() * outer.Height() - inner.Width() * inner.Height());
}

TEST(FocusRingTest, TabFromTheDisplayRingsKeyOneAndAPressOnAKeyTakesTheRingAway) {
    ProgramEnv env;
    platform::Script script;
    script.Advance(kPastSplashMs).Call([&] { ExpectRing(env, std::nullopt); });
    script.Key(platform::kKeyTab).Advance(50).Call([&] {
        EXPECT_TRUE(env.system.FocusVisible());
        EXPECT_EQ(FocusedRect(env), KeyBounds("1"));
        ExpectRing(env, KeyBounds("1"));
    });
    env.Click(script, "2").Call([&] {
        EXPECT_FALSE(env.system.FocusVisible());
        EXPECT_EQ(FocusedRect(env), KeyBounds("2"));
        ExpectRing(env, std::nullopt);
    });
    env.Run(script);
    EXPECT_EQ(env.Main().txtBuffer.Text(), "2");
}

TEST(FocusRingTest, StandsOutAroundEveryKeyInEverySystemColourTable) {
    using platform::ColorPreference;
    using platform::SystemColorTable;
    struct Case {
        platform::Appearance appearance;
        SystemColorTable table;
    };
    const Case cases[] = {
        {{}, SystemColorTable::Classic},
        {{.colors = ColorPreference::Dark}, SystemColorTable::Dark},
        {{.highContrast = true}, SystemColorTable::HighContrastDark},
        {{.colors = ColorPreference::Light, .highContrast = true},
         SystemColorTable::HighContrastLight},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.table));
        ProgramEnv env;
        std::set<const platform::Window*> ringed;
        platform::Script script;
        script.Advance(kPastSplashMs).Call([&] {
            env.system.SetDesktopAppearance(platform::AppearanceSource::DisplaySettings,
                                            c.appearance);
            EXPECT_EQ(platform::SystemColorsInForce(), c.table);
        });
        // Every key, then the display again.
        for (size_t i = 0; i < std::size(kKeypad) + 1; ++i) {
            script.Key(platform::kKeyTab).Advance(50).Call([&] {
                ringed.insert(env.system.FocusWindow());
                ExpectRing(env, FocusedRect(env));
            });
        }
        env.Run(script);
        EXPECT_EQ(ringed.size(), std::size(kKeypad) + 1);
    }
}

}  // namespace
}  // namespace calculator
