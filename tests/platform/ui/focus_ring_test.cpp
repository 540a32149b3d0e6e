// The ring the window system draws around the focused child while the keyboard moves the focus:
// when it shows, its exact pixels at any scale, and how it follows the windows under it.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/display/headless/headless_backend.h"
#include "platform/gfx/focus_ring.h"
#include "platform/gfx/rect_paint.h"
#include "platform/ui/compositor.h"
#include "platform/ui/window_system.h"
#include "tests/support/pixels.h"

namespace platform {
namespace {

using ::testing::ElementsAre;

constexpr Color kWhite = 0xFFFFFF;
constexpr Color kBlack = 0x000000;
constexpr Color kGrey = 0x777777;  // black stands out more from it than white

// A window that fills itself with `left` up to column `split` and with `right` from there, as
// soon as its surface is new.
class Block : public Window {
  public:
    Block(WindowSystem& system, Window* parent, Rect bounds, Color left, int32_t split = 0,
          Color right = 0)
        : Window(system, parent, bounds), left_(left), right_(right), split_(split) {
        if (split_ == 0) split_ = bounds.Width();
        OnResize();
        Show();
    }
    void OnResize() override {
        FillRect(DrawingSurface(), {0, 0, split_, ClientHeight()}, left_);
        FillRect(DrawingSurface(), {split_, 0, ClientWidth(), ClientHeight()}, right_);
        Invalidate();
    }
    void Recolour(Color colour) {
        left_ = right_ = colour;
        OnResize();
    }
    void MakeFocusable(int32_t tabIndex) {
        SetFocusable(true);
        SetTabIndex(tabIndex);
    }

  private:
    Color left_, right_;
    int32_t split_;
};

// A top-level window white on its left half and black on its right, a grey key across the
// middle and a white one on the black.
struct Keys {
    explicit Keys(DeviceScale scale = {}) : backend({640, 480}, scale) {
        a.MakeFocusable(0);
        b.MakeFocusable(1);
        system.UpdateAll();
    }
    HeadlessBackend backend;
    WindowSystem system{backend};
    Block top{system, nullptr, Rect::FromSize(10, 20, 28, 14), kWhite, 14, kBlack};
    Block a{system, &top, Rect::FromSize(10, 4, 8, 5), kGrey};
    Block b{system, &top, Rect::FromSize(22, 4, 3, 3), kWhite};

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
    void Press(Point client) {
        system.PointerMoveTo(top.ClientToScreen(client));
        system.ButtonDown(kButtonLeft);
        system.ButtonUp(kButtonLeft);
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

const std::vector<std::string> kNoRing = {
    "WWWWWWWWWWWWWWKKKKKKKKKKKKKK", "WWWWWWWWWWWWWWKKKKKKKKKKKKKK", "WWWWWWWWWWWWWWKKKKKKKKKKKKKK",
    "WWWWWWWWWWWWWWKKKKKKKKKKKKKK", "WWWWWWWWWWggggggggKKKKWWWKKK", "WWWWWWWWWWggggggggKKKKWWWKKK",
    "WWWWWWWWWWggggggggKKKKWWWKKK", "WWWWWWWWWWggggggggKKKKKKKKKK", "WWWWWWWWWWggggggggKKKKKKKKKK",
    "WWWWWWWWWWWWWWKKKKKKKKKKKKKK", "WWWWWWWWWWWWWWKKKKKKKKKKKKKK", "WWWWWWWWWWWWWWKKKKKKKKKKKKKK",
    "WWWWWWWWWWWWWWKKKKKKKKKKKKKK", "WWWWWWWWWWWWWWKKKKKKKKKKKKKK"};

// Outer line: black beside white, white beside black, each pixel by its own neighbour (the top
// and bottom rows change where the background does). Inner line: black, beside the grey key.
const std::vector<std::string> kRingOnA = {
    "WWWWWWWWWWWWWWKKKKKKKKKKKKKK", "WWWWWWWWWWWWWWKKKKKKKKKKKKKK", "WWWWWWWWKKKKKKWWWWWWKKKKKKKK",
    "WWWWWWWWKKKKKKKKKKKWKKKKKKKK", "WWWWWWWWKKggggggggKWKKWWWKKK", "WWWWWWWWKKggggggggKWKKWWWKKK",
    "WWWWWWWWKKggggggggKWKKWWWKKK", "WWWWWWWWKKggggggggKWKKKKKKKK", "WWWWWWWWKKggggggggKWKKKKKKKK",
    "WWWWWWWWKKKKKKKKKKKWKKKKKKKK", "WWWWWWWWKKKKKKWWWWWWKKKKKKKK", "WWWWWWWWWWWWWWKKKKKKKKKKKKKK",
    "WWWWWWWWWWWWWWKKKKKKKKKKKKKK", "WWWWWWWWWWWWWWKKKKKKKKKKKKKK"};

// White outside on the black, black inside against the white key.
const std::vector<std::string> kRingOnB = {
    "WWWWWWWWWWWWWWKKKKKKKKKKKKKK", "WWWWWWWWWWWWWWKKKKKKKKKKKKKK", "WWWWWWWWWWWWWWKKKKKKWWWWWWWK",
    "WWWWWWWWWWWWWWKKKKKKWKKKKKWK", "WWWWWWWWWWggggggggKKWKWWWKWK", "WWWWWWWWWWggggggggKKWKWWWKWK",
    "WWWWWWWWWWggggggggKKWKWWWKWK", "WWWWWWWWWWggggggggKKWKKKKKWK", "WWWWWWWWWWggggggggKKWWWWWWWK",
    "WWWWWWWWWWWWWWKKKKKKKKKKKKKK", "WWWWWWWWWWWWWWKKKKKKKKKKKKKK", "WWWWWWWWWWWWWWKKKKKKKKKKKKKK",
    "WWWWWWWWWWWWWWKKKKKKKKKKKKKK", "WWWWWWWWWWWWWWKKKKKKKKKKKKKK"};

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

    k.Press({1, 1});  // on the top-level window, which takes no focus
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
        {"column beside it blackened",
         [](Keys& k) {
             FillRect(k.top.DrawingSurface(), {7, 0, 8, 14}, kBlack);
             k.top.Invalidate({7, 0, 8, 14});
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
    Block panel{k.system, &k.top, Rect::FromSize(3, 2, 12, 10), kGrey};
    Block key{k.system, &panel, Rect::FromSize(1, 6, 5, 3), kWhite};
    key.MakeFocusable(-1);
    k.Tab();
    ASSERT_EQ(k.system.FocusWindow(), &key);
    EXPECT_EQ(k.Screen().Pixels(), k.Fresh(Rect::FromSize(4, 8, 5, 3), {3, 2, 15, 12}).Pixels());
    // The panel's last row holds the ring's inner line from the panel's first column on; the
    // ring's column left of the panel and its row below it are not drawn.
    const std::vector<std::string> picture = k.Picture();
    EXPECT_EQ(picture[10], "WWWKWWWWWKKggggKKKKKKKKKKKKK");
    EXPECT_EQ(picture[11], "WWWKKKKKKKKggggKKKKKKKKKKKKK");
    EXPECT_EQ(picture[12], kNoRing[12]);
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
