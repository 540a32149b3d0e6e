#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <optional>

#include "tests/platform/ui/ui_fixture.h"
#include "tests/support/pixels.h"

namespace platform {
namespace {

using ::testing::ElementsAre;

constexpr Color kParent = 0x0000FF;
constexpr Color kChild = 0x00FF00;
constexpr Color kSibling = 0xFF0000;

// Fills a window's surface with one colour.
void Fill(Window& w, Color c) {
    Surface& s = w.DrawingSurface();
    for (int32_t y = 0; y < s.Height(); ++y)
        std::fill(s.Row(y), s.Row(y) + s.Width(), c);
}

struct Composed {
    HeadlessBackend backend{{640, 480}};
    WindowSystem system{backend};
    Window top{system, nullptr, Rect::FromSize(10, 20, 16, 12)};
    Window child{system, &top, Rect::FromSize(4, 3, 6, 5)};

    Composed() {
        Fill(top, kParent);
        Fill(child, kChild);
        top.Show();
        child.Show();
        system.UpdateAll();
    }
    const HeadlessBackend::NativeWindow& Screen() const { return *backend.Native(top.NativeId()); }
    // The screen as rows of characters: '.' parent, '#' child, 's' sibling, '?' anything else.
    std::vector<std::string> Picture() const {
        return testsupport::Picture(Screen().screen,
                                    {{kParent, '.'}, {kChild, '#'}, {kSibling, 's'}});
    }
};

TEST(Compose, ShapedChildLetsItsParentShowThroughAndOnlyItsRectangleIsPresented) {
    Composed c;
    // A 6 x 5 child with its corners cut off and a hole in the middle.
    const Region shape = Region::FromRect({0, 0, 6, 5})
                             .Difference(Region::FromRect({0, 0, 1, 1}))
                             .Difference(Region::FromRect({5, 4, 6, 5}))
                             .Difference(Region::FromRect({2, 2, 4, 3}));
    const size_t before = c.Screen().presentCount;
    c.child.SetShape(shape);
    c.system.UpdateAll();
    EXPECT_THAT(c.Picture(), ElementsAre("................",  //
                                         "................",  //
                                         "................",  //
                                         ".....#####......",  //
                                         "....######......",  //
                                         "....##..##......",  //
                                         "....######......",  //
                                         "....#####.......",  //
                                         "................",  //
                                         "................",  //
                                         "................",  //
                                         "................"));
    ASSERT_EQ(c.Screen().presentCount, before + 1);
    EXPECT_EQ(c.Screen().presented.back(), Rect::FromSize(4, 3, 6, 5));
}

// A window that paints itself in one colour.
class PaintedWindow : public Window {
  public:
    PaintedWindow(WindowSystem& system, Window* parent, Rect bounds, Color colour)
        : Window(system, parent, bounds), colour_(colour) {}
    void Paint(Surface&) override { Fill(*this, colour_); }

  private:
    Color colour_;
};

TEST(Compose, AHiddenWindowHoldsNoPixelsAndIsDrawnWholeWhenShownAgain) {
    HeadlessBackend backend{{640, 480}};
    WindowSystem system{backend};
    PaintedWindow top{system, nullptr, Rect::FromSize(10, 20, 16, 12), kParent};
    PaintedWindow child{system, &top, Rect::FromSize(4, 3, 6, 5), kChild};
    top.Show();
    child.Show();
    system.UpdateAll();
    const std::vector<Color> shown = backend.Native(top.NativeId())->screen.Pixels();
    top.Hide();
    EXPECT_TRUE(top.DrawingSurface().Pixels().empty());
    EXPECT_TRUE(child.DrawingSurface().Pixels().empty());
    top.Show();
    system.UpdateAll();
    EXPECT_EQ(backend.Native(top.NativeId())->screen.Pixels(), shown);
    EXPECT_EQ(child.DrawingSurface().Pixels().size(), 6u * 5u);
}

// A pattern of logical pixels, drawn on demand or painted into the surface that keeps it.
class PatternWindow : public Window {
  public:
    PatternWindow(WindowSystem& system, Window* parent, Rect bounds, WindowPixels pixels)
        : Window(system, parent, bounds, pixels) {}
    void Paint(Surface& surface) override { DrawArea(surface, {}, surface.Bounds()); }
    void DrawArea(Surface& into, Point origin, const Rect& area) const override {
        for (int32_t y = area.top; y < area.bottom; ++y)
            for (int32_t x = area.left; x < area.right; ++x)
                into.SetPixel(origin.x + x, origin.y + y, 0x400000 + 0x0800 * y + 0x10 * x);
    }
};

// Windows drawn on demand show exactly what they would keep: a shaped one, also where the
// shape's device pixels cut through logical ones, and one under children, shaped or not, that
// cover parts of it. They never hold a surface.
TEST(Compose, WindowsDrawnOnDemandShowWhatTheyWouldKeep) {
    const ShapeTracer cutSides = [](int32_t w, int32_t h) {
        return Region::FromRect({1, 0, w - 1, h}).Difference(Region::FromRect({4, 2, 5, 5}));
    };
    for (const double factor : {1.0, 1.5, 2.0}) {
        std::vector<std::vector<Color>> screens;
        for (const WindowPixels pixels : {WindowPixels::Kept, WindowPixels::DrawnOnDemand}) {
            HeadlessBackend backend({640, 480}, DeviceScale::FromFactor(factor));
            WindowSystem system{backend};
            PatternWindow top{system, nullptr, Rect::FromSize(10, 20, 16, 12), pixels};
            PatternWindow shaped{system, &top, Rect::FromSize(3, 1, 9, 7), pixels};
            shaped.SetShape(Region::FromRect({0, 0, 9, 7}), cutSides);
            Window plain{system, &top, Rect::FromSize(10, 6, 4, 4)};
            Fill(plain, kChild);
            top.Show();
            shaped.Show();
            plain.Show();
            system.UpdateAll();
            for (const PatternWindow* w : {&top, &shaped})
                EXPECT_EQ(w->DrawingSurface().Pixels().empty(), w->IsDrawnOnDemand());
            screens.push_back(backend.Native(top.NativeId())->screen.Pixels());
        }
        EXPECT_EQ(screens[0], screens[1]) << factor;
    }
}

// Presented once more than the backend keeps: all are counted, the latest kept in order.
TEST(Compose, TheScreenKeepsOnlyTheLatestPresentedRectangles) {
    Composed c;
    const size_t before = c.Screen().presentCount, kept = HeadlessBackend::kKeptPresents;
    for (int32_t i = 0; i <= static_cast<int32_t>(kept); ++i) {
        c.top.Invalidate(Rect::FromSize(i % 16, i / 16, 1, 1));  // 16 pixels a row
        c.system.UpdateAll();
    }
    EXPECT_EQ(c.Screen().presentCount, before + kept + 1);
    ASSERT_EQ(c.Screen().presented.size(), kept);
    EXPECT_EQ(c.Screen().presented.front(), Rect::FromSize(1, 0, 1, 1));
    EXPECT_EQ(c.Screen().presented.back(), Rect::FromSize(0, 1, 1, 1));
}

TEST(Compose, ScreenReadsBackAsImageAndPng) {
    Composed c;
    const Image image = c.backend.ScreenImage(c.top.NativeId());
    ASSERT_EQ(image.width, 16);
    ASSERT_EQ(image.height, 12);
    EXPECT_EQ(image.pixels[0], 0xFF000000u | kParent);
    EXPECT_EQ(image.pixels[3 * 16 + 4], 0xFF000000u | kChild);
    EXPECT_EQ(DecodePng(c.backend.ScreenPng(c.top.NativeId())).Value(), image);
    EXPECT_THROW(c.backend.ScreenImage(999), std::out_of_range);
}

TEST(Compose, RedrawOfOneChildRecomposesOnlyItsRectangleWithSiblingsAbove) {
    Composed c;
    Window sibling{c.system, &c.top, Rect::FromSize(8, 6, 6, 4)};  // overlaps child's corner
    Fill(sibling, kSibling);
    sibling.Show();
    c.system.UpdateAll();
    // A surface change reaches the screen only once the window is invalidated.
    Fill(c.child, 0x123456);
    c.system.UpdateAll();
    EXPECT_EQ(c.Screen().screen.Pixel(5, 4), kChild);
    const size_t before = c.Screen().presentCount;
    Fill(c.child, kChild);
    c.child.DrawingSurface().SetPixel(0, 0, 0x000001);
    c.child.Invalidate();
    c.child.UpdateNow();
    EXPECT_THAT(c.Picture(), ElementsAre("................",  //
                                         "................",  //
                                         "................",  //
                                         "....?#####......",  //
                                         "....######......",  //
                                         "....######......",  //
                                         "....####ssssss..",  //
                                         "....####ssssss..",  //
                                         "........ssssss..",  //
                                         "........ssssss..",  //
                                         "................",  //
                                         "................"));
    ASSERT_EQ(c.Screen().presentCount, before + 1);
    EXPECT_EQ(c.Screen().presented.back(), Rect::FromSize(4, 3, 6, 5));
}

TEST(Compose, MovingHidingAndRaisingRecomposeTheAreasConcerned) {
    Composed c;
    Window sibling{c.system, &c.top, Rect::FromSize(6, 5, 3, 3)};
    Fill(sibling, kSibling);
    sibling.Show();
    c.system.UpdateAll();
    EXPECT_EQ(c.Screen().screen.Pixel(7, 6), kSibling);
    c.child.Raise();
    c.system.UpdateAll();
    EXPECT_EQ(c.Screen().screen.Pixel(7, 6), kChild);
    c.child.SetBounds(Rect::FromSize(12, 0, 6, 5));  // partly outside the parent
    c.system.UpdateAll();
    EXPECT_THAT(c.Picture(), ElementsAre("............####",  //
                                         "............####",  //
                                         "............####",  //
                                         "............####",  //
                                         "............####",  //
                                         "......sss.......",  //
                                         "......sss.......",  //
                                         "......sss.......",  //
                                         "................",  //
                                         "................",  //
                                         "................",  //
                                         "................"));
    sibling.Hide();
    c.system.UpdateAll();
    EXPECT_EQ(c.Screen().screen.Pixel(7, 6), kParent);
    EXPECT_EQ(c.Screen().presented.back(), Rect::FromSize(6, 5, 3, 3));
}

TEST(Compose, PaintRunsForInvalidatedWindowsBeforeComposition) {
    struct Painter : Window {
        using Window::Window;
        int paints = 0;
        void Paint(Surface& s) override {
            ++paints;
            for (int32_t y = 0; y < s.Height(); ++y)
                std::fill(s.Row(y), s.Row(y) + s.Width(), Rgb(0, 0, paints));
        }
    };
    HeadlessBackend backend;
    WindowSystem system{backend};
    Painter top{system, nullptr, Rect::FromSize(0, 0, 4, 4)};
    top.Show();
    system.DispatchPending();
    EXPECT_EQ(top.paints, 1);
    system.DispatchPending();
    EXPECT_EQ(top.paints, 1);  // nothing invalidated
    top.Invalidate({1, 1, 2, 2});
    system.DispatchPending();
    EXPECT_EQ(top.paints, 2);
    const auto* native = backend.Native(top.NativeId());
    EXPECT_EQ(native->screen.Pixel(1, 1), Rgb(0, 0, 2));
    EXPECT_EQ(native->screen.Pixel(0, 0), Rgb(0, 0, 1));  // outside the invalid rectangle
}

TEST(TopLevel, NativeWindowCarriesTitleBorderCentringAndOpacity) {
    HeadlessBackend backend{{800, 600}};
    WindowSystem system{backend};
    Window splash{system, nullptr, Rect::FromSize(0, 0, 300, 200)};
    splash.SetTitle("Splash");
    splash.SetBordered(false);
    splash.SetCentred(true);
    splash.SetOpacity(0);
    splash.SetIcon([] {
        return std::vector{Image{1, 1, {0xFF0000FF}}, Image{2, 2, std::vector<uint32_t>(4)}};
    });
    EXPECT_EQ(splash.NativeId(), 0u);
    splash.Show();
    const auto* native = backend.Native(splash.NativeId());
    ASSERT_NE(native, nullptr);
    EXPECT_EQ(native->desc.title, "Splash");
    EXPECT_FALSE(native->desc.bordered);
    EXPECT_EQ(native->iconSizes, (std::vector<Size>{{1, 1}, {2, 2}}));
    EXPECT_EQ(native->desc.position, (Point{250, 200}));
    EXPECT_EQ(native->desc.clientSize, (Size{300, 200}));
    EXPECT_EQ(native->desc.opacity, 0);
    EXPECT_EQ(splash.Bounds(), Rect::FromSize(250, 200, 300, 200));
    splash.SetOpacity(170);
    EXPECT_EQ(native->desc.opacity, 170);
    const NativeWindowId id = splash.NativeId();
    splash.Hide();
    EXPECT_EQ(backend.Native(id), nullptr);
}

TEST(TopLevel, CentredOwnedWindowOpensOnItsOwnerInsideTheWorkArea) {
    const struct {
        std::optional<Point> owner;  // where the shown owner is; nullopt: not shown
        Point expected;
    } cases[] = {
        {Point{100, 100}, {150, 150}},
        {Point{700, 500}, {600, 500}},  // the owner's centre off the screen: clamped
        {Point{-250, -150}, {0, 0}},
        {std::nullopt, {300, 250}},  // an owner not on the screen: the screen's centre
    };
    for (const auto& c : cases) {
        HeadlessBackend backend{{800, 600}};
        WindowSystem system{backend};
        const Point at = c.owner.value_or(Point{});
        Window owner{system, nullptr, Rect::FromSize(at.x, at.y, 300, 200)};
        if (c.owner) owner.Show();
        Window dialog{system, nullptr, Rect::FromSize(0, 0, 200, 100)};
        dialog.SetOwner(&owner);
        dialog.SetCentred(true);
        dialog.Show();
        EXPECT_EQ(backend.Native(dialog.NativeId())->desc.position, c.expected);
    }
}

TEST(Pointer, PictureOfTheWindowUnderThePointerOrItsNearestAncestor) {
    testing::UiFixture f;
    auto hand = std::make_shared<PointerImage>(PointerImage{Image{2, 2, {0, 0, 0, 0}}, 1, 0});
    auto panel = f.Child(Rect::FromSize(0, 0, 100, 100), "panel");
    auto key = f.Child(*panel, Rect::FromSize(10, 10, 20, 20), "key");
    auto arrowKey = f.Child(*panel, Rect::FromSize(40, 10, 20, 20), "arrow");
    panel->SetPointer(PointerKind::Custom, hand);
    arrowKey->SetPointer(PointerKind::Arrow);
    f.MoveTo(15, 15);  // key has Default: takes the panel's picture
    EXPECT_EQ(f.backend.CurrentPointer(), hand.get());
    f.MoveTo(45, 15);
    EXPECT_EQ(f.backend.CurrentPointer(), nullptr);
    arrowKey->Hide();  // the window under the pointer goes: the picture follows at once
    EXPECT_EQ(f.backend.CurrentPointer(), hand.get());
    panel->SetPointer(PointerKind::Default);
    EXPECT_EQ(f.backend.CurrentPointer(), nullptr);
    panel->SetPointer(PointerKind::Custom, hand);
    panel.reset();
    EXPECT_EQ(f.backend.CurrentPointer(), nullptr);
}

}  // namespace
}  // namespace platform
