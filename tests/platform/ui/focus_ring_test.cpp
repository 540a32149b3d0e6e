// The ring the window system draws around the focused child while the keyboard moves the focus:
// when it shows, its exact pixels at any scale, and how it follows the windows under it.
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "platform/display/headless/headless_backend.h"
#include "platform/gfx/focus_ring.h"
#include "platform/gfx/rect_paint.h"
#include "platform/ui/compositor.h"
#include "platform/ui/window_system.h"
#include "tests/support/pixels.h"

namespace platform {
namespace {

constexpr Color kWhite = 0xFFFFFF;
constexpr Color kBlack = 0x000000;
constexpr Color kGrey = 0x777777;  // black stands out more from it than white

void Fill(Window& window, Rect r, Color colour) {
    FillRect(window.DrawingSurface(), r, colour);
    window.Invalidate(r);
}

// A shown window that paints its fills in turn whenever its surface is new.
class Block : public Window {
  public:
    Block(WindowSystem& system, Window* parent, Rect bounds,
          std::vector<std::pair<Rect, Color>> fills, int32_t tabIndex = -1)
        : Window(system, parent, bounds), fills_(std::move(fills)) {
        SetFocusable(tabIndex >= 0);
        SetTabIndex(tabIndex);
        OnResize();
        Show();
    }
    void OnResize() override {
        for (const auto& [r, c] : fills_)
            Fill(*this, r, c);
    }

  private:
    std::vector<std::pair<Rect, Color>> fills_;
};

// A top-level window white on its left half and black on its right, with a black column, a white
// one and a grey row just beyond the ring of the grey key `a`; a white key `b` at the right edge.
struct Keys {
    explicit Keys(DeviceScale scale = {}) : backend({640, 480}, scale) { system.UpdateAll(); }
    HeadlessBackend backend;
    WindowSystem system{backend};
    Block top{system,
              nullptr,
              Rect::FromSize(10, 20, 22, 11),
              {{{0, 0, 11, 11}, kWhite},
               {{11, 0, 22, 11}, kBlack},
               {{3, 0, 4, 11}, kBlack},
               {{14, 0, 15, 11}, kWhite},
               {{0, 9, 22, 10}, kGrey}}};
    Block a{system, &top, Rect::FromSize(6, 3, 6, 4), {{{0, 0, 6, 4}, kGrey}}, 0};
    Block b{system, &top, Rect::FromSize(18, 3, 2, 2), {{{0, 0, 2, 2}, kWhite}}, 1};

    const Surface& Screen() const { return backend.Native(top.NativeId())->screen; }
    std::string Shown() const {
        std::string rows;
        for (const std::string& row :
             testsupport::Picture(Screen(), {{kWhite, 'W'}, {kBlack, 'K'}, {kGrey, 'g'}}))
            rows += "\n" + row;
        return rows;
    }
    void Tab(bool backward = false) {
        if (backward) system.KeyDown(kKeyShift);
        system.KeyDown(kKeyTab);
        if (backward) system.KeyUp(kKeyShift);
        system.UpdateAll();
    }
    // The windows composed afresh, with a ring around `around` clipped to `clip` when given.
    Surface Fresh(std::optional<Rect> around, Rect clip = {0, 0, 22, 11}) const {
        Surface fresh(22, 11, 0, {top.Scale(), {}});
        ComposeArea(top, fresh, fresh.Bounds());
        if (around) DrawFocusRing(fresh, *around, fresh.ToDevice(clip));
        return fresh;
    }
    bool ShowsNoRing() const { return Screen().Pixels() == Fresh(std::nullopt).Pixels(); }
};

// Each outer pixel contrasts with its own neighbour beyond the ring: white beside the black
// column, black beside the white one, black below the white half and white below the black,
// black over the grey row, diagonally at the corners. The inner line is black beside the grey.
constexpr const char* kRingOnA = R"(
WWWKWWWWWWWKKKWKKKKKKK
WWWKWKKKKKKWWKWKKKKKKK
WWWKWKKKKKKKKKWKKKKKKK
WWWKWKggggggKKWKKKWWKK
WWWKWKggggggKKWKKKWWKK
WWWKWKggggggKKWKKKKKKK
WWWKWKggggggKKWKKKKKKK
WWWKWKKKKKKKKKWKKKKKKK
WWWKKKKKKKKKKKWKKKKKKK
gggggggggggggggggggggg
WWWKWWWWWWWKKKWKKKKKKK)";

// White outside on the black, and at the window's edge, where the pixel beyond is the ring
// pixel's own; black inside against the white key.
constexpr const char* kRingOnB = R"(
WWWKWWWWWWWKKKWKKKKKKK
WWWKWWWWWWWKKKWKWWWWWW
WWWKWWWWWWWKKKWKWKKKKW
WWWKWWggggggKKWKWKWWKW
WWWKWWggggggKKWKWKWWKW
WWWKWWggggggKKWKWKKKKW
WWWKWWggggggKKWKWWWWWW
WWWKWWWWWWWKKKWKKKKKKK
WWWKWWWWWWWKKKWKKKKKKK
gggggggggggggggggggggg
WWWKWWWWWWWKKKWKKKKKKK)";

TEST(FocusRing, TheKeyboardShowsItAMousePressHidesItAndSetFocusLeavesItAsItIs) {
    Keys k;
    k.a.Focus();
    k.system.UpdateAll();
    EXPECT_FALSE(k.system.FocusVisible());
    EXPECT_TRUE(k.ShowsNoRing());
    k.Tab();  // a to b
    EXPECT_TRUE(k.system.FocusVisible());
    EXPECT_EQ(k.Shown(), kRingOnB);
    k.Tab(true);
    EXPECT_EQ(k.Shown(), kRingOnA);

    k.system.PointerMoveTo(k.top.ClientToScreen({1, 1}));  // the top-level takes no focus
    k.system.ButtonDown(kButtonLeft);
    k.system.UpdateAll();
    EXPECT_FALSE(k.system.FocusVisible());
    EXPECT_EQ(k.system.FocusWindow(), &k.a);
    EXPECT_TRUE(k.ShowsNoRing());

    k.Tab(true);  // round from a to b
    EXPECT_EQ(k.Shown(), kRingOnB);
    k.a.Focus();  // after keyboard use a programmatic focus shows the ring as well
    k.system.UpdateAll();
    EXPECT_EQ(k.Shown(), kRingOnA);
    k.system.SetFocus(nullptr);
    k.system.UpdateAll();
    EXPECT_TRUE(k.ShowsNoRing());
}

// Whatever changes under or beside the ring, the screen shows what composing everything afresh
// and drawing the ring over it shows.
TEST(FocusRing, FollowsTheWindowsUnderAndBesideIt) {
    const Rect atA = Rect::FromSize(6, 3, 6, 4);
    const std::vector<std::tuple<const char*, std::function<void(Keys&)>, std::optional<Rect>>>
        cases = {
            {"moved", [](Keys& k) { k.a.SetBounds(Rect::FromSize(4, 4, 6, 4)); },
             Rect::FromSize(4, 4, 6, 4)},
            {"resized", [](Keys& k) { k.a.SetBounds(Rect::FromSize(6, 3, 4, 2)); },
             Rect::FromSize(6, 3, 4, 2)},
            {"hidden", [](Keys& k) { k.a.Hide(); }, std::nullopt},
            {"repainted black",
             [](Keys& k) {
                 Fill(k.a, {0, 0, 6, 4}, kBlack);
             },
             atA},
            {"a key over it", [](Keys& k) { k.b.SetBounds(Rect::FromSize(8, 1, 6, 5)); }, atA},
            {"pixels beside it repainted",
             [](Keys& k) {
                 for (const Rect r : {Rect{3, 0, 4, 11}, Rect{14, 0, 15, 11}, Rect{0, 9, 22, 10}})
                     Fill(k.top, r, kWhite);
             },
             atA},
            {"top-level repainted",
             [](Keys& k) {
                 Fill(k.top, {0, 0, 22, 11}, kGrey);
             },
             atA},
        };
    for (const auto& [what, change, ring] : cases) {
        SCOPED_TRACE(what);
        Keys k;
        k.Tab();
        ASSERT_EQ(k.Shown(), kRingOnA);
        change(k);
        k.system.UpdateAll();
        EXPECT_EQ(k.Screen().Pixels(), k.Fresh(ring).Pixels());
    }
}

// A display composes what it shows a part at a time, as its buffers need it: one device pixel
// asked for alone is the pixel of the whole picture, ring and all, its tone read from
// neighbours outside the part asked for.
TEST(FocusRing, IsTheSameInAnyPartTheDisplayAsksFor) {
    for (const int64_t per120 : {120, 180}) {
        SCOPED_TRACE(per120);
        Keys k(DeviceScale::FromPer120(per120));
        k.Tab();
        const Surface whole = k.Fresh(Rect::FromSize(6, 3, 6, 4));
        const FrameSource& pixels = k.backend.Native(k.top.NativeId())->desc.pixels;
        for (int32_t y = 0; y < whole.DeviceHeight(); ++y) {
            for (int32_t x = 0; x < whole.DeviceWidth(); ++x) {
                const Surface part = pixels(Rect::FromSize(x, y, 1, 1));
                ASSERT_TRUE(part.DeviceArea().Contains({x, y}));
                EXPECT_EQ(*part.DevicePixelAt(x, y), whole.Row(y)[x]) << x << "," << y;
            }
        }
    }
}

// A key in the corner of a frame, on a panel larger than the frame: the ring's column left of
// the frame and its row below it stay undrawn, also when the whole window is composed again.
TEST(FocusRing, IsClippedByTheAncestorsClientAreas) {
    Keys k;
    Block frame{k.system, &k.top, Rect::FromSize(2, 1, 9, 8), {}};
    Block panel{k.system, &frame, Rect::FromSize(0, 0, 12, 12), {{{0, 0, 12, 12}, kGrey}}};
    Block key{k.system, &panel, Rect::FromSize(1, 5, 4, 2), {{{0, 0, 4, 2}, kWhite}}, 0};
    key.Focus();
    k.Tab();
    k.Tab(true);
    ASSERT_EQ(k.system.FocusWindow(), &key);
    Fill(k.top, {0, 0, 22, 11}, kWhite);
    k.system.UpdateAll();
    EXPECT_EQ(k.Screen().Pixels(), k.Fresh(Rect::FromSize(3, 6, 4, 2), {2, 1, 11, 9}).Pixels());
}

// At any scale the ring covers exactly the device pixels from Edge(key inflated by 2) to
// Edge(key): its outer half up to Edge(key inflated by 1), white on the black, its inner half
// black beside the white key.
TEST(FocusRing, CoversTheDevicePixelsBetweenTheEdgesOfTheKeyAndOfTwoPixelsAround) {
    for (const double factor : {1.25, 1.5, 2.0, 3.0}) {
        SCOPED_TRACE(factor);
        const DeviceScale scale = DeviceScale::FromFactor(factor);
        Keys k(scale);
        k.a.Focus();
        k.Tab();
        const auto edges = [&](int32_t by) { return scale.Map(k.b.Bounds().Inflate(by, by)); };
        const Rect outer = edges(2), middle = edges(1), inner = edges(0);
        const Surface bare = k.Fresh(std::nullopt);
        ASSERT_EQ(k.Screen().DeviceWidth(), scale.Edge(22));
        for (int32_t y = 0; y < bare.DeviceHeight(); ++y) {
            for (int32_t x = 0; x < bare.DeviceWidth(); ++x) {
                const bool ring = outer.Contains({x, y}) && !inner.Contains({x, y});
                const Color want = !ring                     ? bare.Row(y)[x]
                                   : middle.Contains({x, y}) ? kBlack
                                                             : kWhite;
                ASSERT_EQ(k.Screen().Row(y)[x], want) << x << "," << y;
            }
        }
    }
}

}  // namespace
}  // namespace platform
