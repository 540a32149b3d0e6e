// Windows on a real compositor: the pixels and title bar it shows, translucent buffers, owned
// windows, and the requests that carry pictures (damage, pacing by frames).
#include <gtest/gtest.h>

#include <optional>
#include <regex>
#include <string>
#include <vector>

#include "platform/display/desktop_scale.h"
#include "platform/display/wayland/title_bar.h"
#include "tests/platform/display/wayland/weston_fixture.h"
#include "tools/find_picture/picture_search.h"

namespace platform {
namespace {

const Rect kBounds = Rect::FromSize(0, 0, 80, 60);

/// Every match of `pattern` in `log`: the whole match, then its submatches.
std::vector<std::vector<std::string>> Matches(const std::string& log, const std::string& pattern) {
    const std::regex expression(pattern);
    std::vector<std::vector<std::string>> found;
    for (auto it = std::sregex_iterator(log.begin(), log.end(), expression);
         it != std::sregex_iterator(); ++it)
        found.emplace_back(it->begin(), it->end());
    return found;
}

/// The part of `image` in `area`.
Image Cut(const Image& image, const Rect& area) {
    Image part{area.Width(), area.Height(), {}};
    for (int32_t y = area.top; y < area.bottom; ++y)
        for (int32_t x = area.left; x < area.right; ++x)
            part.pixels.push_back(image.pixels[static_cast<size_t>(y * image.width + x)]);
    return part;
}

/// `surface` as a screenshot shows it: its device pixels, opaque.
Image Shown(const Surface& surface) {
    Image image{surface.DeviceWidth(), surface.DeviceHeight(), {}};
    for (int32_t y = 0; y < surface.DeviceHeight(); ++y)
        for (int32_t x = 0; x < surface.DeviceWidth(); ++x)
            image.pixels.push_back(0xFF000000u | surface.Row(y)[x]);
    return image;
}

bool SameColours(const Image& a, const Image& b) {
    if (a.width != b.width || a.height != b.height) return false;
    for (size_t i = 0; i < a.pixels.size(); ++i)
        if (((a.pixels[i] ^ b.pixels[i]) & 0x00FFFFFF) != 0) return false;
    return true;
}

class WestonWindow : public WestonFixture {
  protected:
    /// The damage request for a changed rectangle of the framebuffer, in buffer pixels.
    std::string Damage(const Rect& changed) const {
        const Rect device = scale.Map(changed);
        return "damage_buffer(" + std::to_string(device.left) + ", " + std::to_string(device.top) +
               ", " + std::to_string(device.Width()) + ", " + std::to_string(device.Height()) + ")";
    }

    PatternWindow window{system, kBounds};
    const DeviceScale scale = backend.Screen().Scale();
};

TEST_F(WestonWindow, ShowsEveryFramebufferPixelUnderTheProgramsOwnTitleBar) {
    window.SetTitle("Pattern");
    window.Show();
    Drain();
    const Image screen = Screenshot();
    const std::optional<Point> place =
        testing_support::FindPicture(screen, Shown(window.DrawingSurface()));
    ASSERT_TRUE(place) << "the window's pixels are nowhere on the screen";
    // Weston draws no frames: the program's own bar lies right above the client area, in the
    // look of an active window or of an inactive one.
    const int32_t barHeight = scale.Edge(kTitleBarHeight);
    ASSERT_GE(place->y, barHeight);
    const Image bar =
        Cut(screen, Rect::FromSize(place->x, place->y - barHeight, scale.Edge(80), barHeight));
    bool matches = false;
    for (const bool active : {true, false}) {
        Surface drawn(80, kTitleBarHeight, 0, {scale, {}});
        DrawTitleBar(drawn, "Pattern", {active, false});
        matches = matches || SameColours(bar, Shown(drawn));
    }
    EXPECT_TRUE(matches) << "the title bar differs from its picture";
}

TEST_F(WestonWindow, SplashBufferCarriesItsOpacityPremultiplied) {
    window.colour = 0x604020;
    window.SetRole(WindowRole::Splash);
    window.SetBordered(false);
    window.SetOpacity(128);
    window.Show();
    Drain();
    // Over the black desktop a pixel shows its colour times 128 / 255, rounded.
    Image faded = Shown(window.DrawingSurface());
    for (uint32_t& c : faded.pixels) {
        Color premultiplied = 0xFF000000u;
        for (const int shift : {0, 8, 16})
            premultiplied |= (((c >> shift & 0xFF) * 128 + 127) / 255) << shift;
        c = premultiplied;
    }
    EXPECT_TRUE(testing_support::FindPicture(Screenshot(), faded));

    window.SetOpacity(255);
    Drain();
    EXPECT_TRUE(testing_support::FindPicture(Screenshot(), Shown(window.DrawingSurface())));
}

TEST_F(WestonWindow, MessageBoxIsAChildOfItsOwner) {
    const size_t mark = LogMark();
    window.Show();
    PatternWindow box{system, Rect::FromSize(0, 0, 40, 30)};
    box.SetRole(WindowRole::Dialog);
    box.SetOwner(&window);
    box.Show();
    Drain();
    const std::string log = LogSince(mark);
    const auto toplevels = Matches(log, R"(get_toplevel\(new id xdg_toplevel@(\d+)\))");
    ASSERT_EQ(toplevels.size(), 2u);
    const auto parents = Matches(log, R"(xdg_toplevel@(\d+)\.set_parent\(xdg_toplevel@(\d+)\))");
    ASSERT_EQ(parents.size(), 1u);
    EXPECT_EQ(parents[0][1], toplevels[1][1]);
    EXPECT_EQ(parents[0][2], toplevels[0][1]);
}

TEST_F(WestonWindow, PresentDamagesOnlyTheChangedPixelsOncePerFrame) {
    window.Show();
    Drain();
    const size_t mark = LogMark();
    // However often the window changes before the compositor shows a frame, one picture goes.
    window.Invalidate(Rect{10, 5, 30, 20});
    system.DispatchPending();
    window.colour = 0x102030;
    window.painted = Rect{12, 6, 20, 10};
    window.Invalidate(Rect{12, 6, 20, 10});
    system.DispatchPending();
    backend.Roundtrip();
    const std::string damage = R"(damage_buffer\((-?\d+), (-?\d+), (-?\d+), (-?\d+)\))";
    const std::string log = LogSince(mark);
    const auto first = Matches(log, damage);
    ASSERT_EQ(first.size(), 1u) << log;
    EXPECT_EQ(first[0][0], Damage(Rect{10, 5, 30, 20}));
    EXPECT_EQ(Matches(log, R"(\.attach\()").size(), 1u);

    Drain();
    const auto later = Matches(LogSince(mark), damage);
    ASSERT_EQ(later.size(), 2u);
    EXPECT_EQ(later[1][0], Damage(Rect{12, 6, 20, 10}));
    EXPECT_TRUE(testing_support::FindPicture(Screenshot(), Shown(window.DrawingSurface())));
}

}  // namespace
}  // namespace platform
