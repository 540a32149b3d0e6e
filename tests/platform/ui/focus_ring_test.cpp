// The ring the window system draws around the focused child while the keyboard moves the focus:
// when it shows, its exact pixels at any scale, and how it follows the windows under it.
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
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

// A window that paints its fills in turn whenever its surface is new.
class Block : public Window {
  public:
    using Fills = std::vector<std::pair<Rect, Color>>;
    Block(WindowSystem& system, Window* parent, Rect bounds, Fills fills, int32_t tabIndex = -1)
        : Window(system, parent, bounds), fills_(std::move(fills)) {
        SetFocusable(tabIndex >= 0);
        SetTabIndex(tabIndex);
        OnResize();
        Show();
    }
    void OnResize() override {
        for (const auto& [r, c] : fills_)
            FillRect(DrawingSurface(), r, c);
        Invalidate();
    }
    void Recolour(Color colour) {
        fills_ = {{{0, 0, ClientWidth(), ClientHeight()}, colour}};
        OnResize();
    }

  private:
    Fills fills_;
};

// A top-level window white on its left half and black on its right, with a black column, a white
// one and a grey row just outside the ring of the grey key `a`; a white key `b` on the black.
struct Keys {
    explicit Keys(DeviceScale scale = {}) : backend({640, 480}, scale) { system.UpdateAll(); }
    HeadlessBackend backend;
    WindowSystem system{backend};
    Block top{system,
              nullptr,
              Rect::FromSize(10, 20, 28, 14),
              {{{0, 0, 14, 14}, kWhite},
               {{14, 0, 28, 14}, kBlack},
               {{7, 0, 8, 14}, kBlack},
               {{20, 0, 21, 14}, kWhite},
               {{0, 11, 28, 12}, kGrey}}};
    Block a{system, &top, Rect::FromSize(10, 4, 8, 5), {{{0, 0, 8, 5}, kGrey}}, 0};
    Block b{system, &top, Rect::FromSize(22, 4, 3, 3), {{{0, 0, 3, 3}, kWhite}}, 1};

    const Surface& Screen() const { return backend.Native(top.NativeId())->screen; }
    std::vector<std::string> Picture() const {
        return testsupport::Picture(Screen(), {{kWhite, 'W'}, {kBlack, 'K'}, {kGrey, 'g'}});
    }
    void Tab(bool backward = false) {
        if (backward) system.KeyDown(kKeyShift);
        system.KeyDown(kKeyTab);
        system.KeyUp(kKeyTab);
        if (backward) system.KeyUp(kKeyShift);
        system.UpdateAll();
    }
    // The windows composed afresh, with a ring around `around` clipped to `clip` when given.
    Surface Fresh(std::optional<Rect> around, Rect clip = {0, 0, 28, 14}) const {
        Surface fresh(28, 14, 0, {top.Scale(), {}});
        ComposeArea(top, fresh, fresh.Bounds());
        if (around) DrawFocusRing(fresh, *around, fresh.ToDevice(clip));
        return fresh;
    }
};

const std::string kPlain = "WWWWWWWKWWWWWWKKKKKKWKKKKKKK";
const std::string kGreyRow(28, 'g');
const std::vector<std::string> kNoRing = {kPlain,
                                          kPlain,
                                          kPlain,
                                          kPlain,
                                          "WWWWWWWKWWggggggggKKWKWWWKKK",
                                          "WWWWWWWKWWggggggggKKWKWWWKKK",
                                          "WWWWWWWKWWggggggggKKWKWWWKKK",
                                          "WWWWWWWKWWggggggggKKWKKKKKKK",
                                          "WWWWWWWKWWggggggggKKWKKKKKKK",
                                          kPlain,
                                          kPlain,
                                          kGreyRow,
                                          kPlain,
                                          kPlain};

// Each pixel of the outer line contrasts with its neighbour beyond the ring: white beside the
// black column, black beside the white one, black above the white half, white above the black,
// black over the grey row, and at each corner by the diagonal neighbour. The inner line is
// black beside the grey key.
const std::vector<std::string> kRingOnA = {kPlain,
                                           kPlain,
                                           "WWWWWWWKWKKKKKWWWWWKWKKKKKKK",
                                           "WWWWWWWKWKKKKKKKKKKKWKKKKKKK",
                                           "WWWWWWWKWKggggggggKKWKWWWKKK",
                                           "WWWWWWWKWKggggggggKKWKWWWKKK",
                                           "WWWWWWWKWKggggggggKKWKWWWKKK",
                                           "WWWWWWWKWKggggggggKKWKKKKKKK",
                                           "WWWWWWWKWKggggggggKKWKKKKKKK",
                                           "WWWWWWWKWKKKKKKKKKKKWKKKKKKK",
                                           "WWWWWWWKKKKKKKKKKKKKWKKKKKKK",
                                           kGreyRow,
                                           kPlain,
                                           kPlain};

// White outside on the black (over the white column as well), black inside against the white
// key.
const std::vector<std::string> kRingOnB = {kPlain,
                                           kPlain,
                                           "WWWWWWWKWWWWWWKKKKKKWWWWWWWK",
                                           "WWWWWWWKWWWWWWKKKKKKWKKKKKWK",
                                           "WWWWWWWKWWggggggggKKWKWWWKWK",
                                           "WWWWWWWKWWggggggggKKWKWWWKWK",
                                           "WWWWWWWKWWggggggggKKWKWWWKWK",
                                           "WWWWWWWKWWggggggggKKWKKKKKWK",
                                           "WWWWWWWKWWggggggggKKWWWWWWWK",
                                           kPlain,
                                           kPlain,
                                           kGreyRow,
                                           kPlain,
                                           kPlain};

TEST(FocusRing, TheKeyboardShowsItAMousePressHidesItAndSetFocusLeavesItAsItIs) {
    Keys k;
    k.a.Focus();
    k.system.UpdateAll();
    EXPECT_FALSE(k.system.FocusVisible());
    EXPECT_EQ(k.Picture(), kNoRing);

    k.Tab();  // a to b
    EXPECT_TRUE(k.system.FocusVisible());
    EXPECT_EQ(k.Picture(), kRingOnB);
    k.Tab(true);
    EXPECT_EQ(k.system.FocusWindow(), &k.a);
    EXPECT_EQ(k.Picture(), kRingOnA);

    k.system.PointerMoveTo(k.top.ClientToScreen({1, 1}));  // the top-level takes no focus
    k.system.ButtonDown(kButtonLeft);
    k.system.UpdateAll();
    EXPECT_FALSE(k.system.FocusVisible());
    EXPECT_EQ(k.system.FocusWindow(), &k.a);
    EXPECT_EQ(k.Picture(), kNoRing);

    k.Tab(true);  // round from a to b
    EXPECT_EQ(k.Picture(), kRingOnB);
    k.a.Focus();  // after keyboard use a programmatic focus shows the ring as well
    k.system.UpdateAll();
    EXPECT_TRUE(k.system.FocusVisible());
    EXPECT_EQ(k.Picture(), kRingOnA);
    k.system.SetFocus(nullptr);
    k.system.UpdateAll();
    EXPECT_EQ(k.Picture(), kNoRing);
}

// Whatever changes under or beside the ring, the screen shows what composing everything afresh
// and drawing the ring over it shows.
TEST(FocusRing, FollowsTheWindowsUnderAndBesideIt) {
    struct Case {
        const char* what;
        std::function<void(Keys&)> change;
        std::optional<Rect> ring;  // where it is then
    };
    const Case cases[] = {
        {"key moved", [](Keys& k) { k.a.SetBounds(Rect::FromSize(5, 6, 8, 5)); },
         Rect::FromSize(5, 6, 8, 5)},
        {"key resized", [](Keys& k) { k.a.SetBounds(Rect::FromSize(10, 4, 6, 3)); },
         Rect::FromSize(10, 4, 6, 3)},
        {"key hidden", [](Keys& k) { k.a.Hide(); }, std::nullopt},
        {"key repainted black", [](Keys& k) { k.a.Recolour(kBlack); }, Rect::FromSize(10, 4, 8, 5)},
        {"a key painted over it", [](Keys& k) { k.b.SetBounds(Rect::FromSize(12, 2, 9, 6)); },
         Rect::FromSize(10, 4, 8, 5)},
        {"pixels just beside it repainted",
         [](Keys& k) {
             for (const Rect r : {Rect{7, 0, 8, 14}, Rect{20, 0, 21, 14}, Rect{0, 11, 28, 12}}) {
                 FillRect(k.top.DrawingSurface(), r, kWhite);
                 k.top.Invalidate(r);
             }
         },
         Rect::FromSize(10, 4, 8, 5)},
        {"top-level window repainted", [](Keys& k) { k.top.Recolour(kGrey); },
         Rect::FromSize(10, 4, 8, 5)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Keys k;
        k.Tab();
        ASSERT_EQ(k.Picture(), kRingOnA);
        c.change(k);
        k.system.UpdateAll();
        EXPECT_EQ(k.Screen().Pixels(), k.Fresh(c.ring).Pixels());
    }
}

// A key near its panel's edge: the ring is drawn only inside the panel's client area.
TEST(FocusRing, IsClippedByTheAncestorsClientAreas) {
    Keys k;
    Block panel{k.system, &k.top, Rect::FromSize(3, 2, 12, 10), {{{0, 0, 12, 10}, kGrey}}};
    Block key{k.system, &panel, Rect::FromSize(1, 6, 5, 3), {{{0, 0, 5, 3}, kWhite}}, 0};
    key.Focus();
    k.Tab();
    k.Tab(true);
    ASSERT_EQ(k.system.FocusWindow(), &key);
    EXPECT_EQ(k.Screen().Pixels(), k.Fresh(Rect::FromSize(4, 8, 5, 3), {3, 2, 15, 12}).Pixels());
    // The panel's last row holds the ring's inner line from the panel's first column on; the
    // ring's column left of the panel and its row below it are not drawn.
    const std::vector<std::string> picture = k.Picture();
    EXPECT_EQ(picture[10], "WWWKWWWWWKKggggKKKKKWKKKKKKK");
    EXPECT_EQ(picture[11], "gggKKKKKKKKggggggggggggggggg");
    EXPECT_EQ(picture[12], kNoRing[12]);
    k.top.Invalidate();  // composed whole, the ring stays within the panel
    k.system.UpdateAll();
    EXPECT_EQ(k.Picture(), picture);
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
        ASSERT_EQ(k.system.FocusWindow(), &k.b);
        const auto edges = [&](int32_t inflate) {
            return scale.Map(Rect::FromSize(22, 4, 3, 3).Inflate(inflate, inflate));
        };
        const Rect outer = edges(2), middle = edges(1), inner = edges(0);
        const Surface shown = k.Screen();
        const Surface bare = k.Fresh(std::nullopt);
        ASSERT_EQ(shown.DeviceWidth(), scale.Edge(28));
        for (int32_t y = 0; y < shown.DeviceHeight(); ++y) {
            for (int32_t x = 0; x < shown.DeviceWidth(); ++x) {
                const Point p{x, y};
                const Color want = inner.Contains(p)    ? bare.Row(y)[x]
                                   : middle.Contains(p) ? kBlack
                                   : outer.Contains(p)  ? kWhite
                                                        : bare.Row(y)[x];
                ASSERT_EQ(shown.Row(y)[x], want) << x << "," << y;
            }
        }
    }
}

}  // namespace
}  // namespace platform
