// Windows on a desktop whose scale is not 1: each window's surface lies on its top-level
// window's device pixels, the desktop's scale changes under open windows, and the user's zoom.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/display/headless/headless_backend.h"
#include "platform/gfx/rect_paint.h"
#include "platform/ui/window_system.h"
#include "tests/support/pixels.h"

namespace platform {
namespace {

using ::testing::ElementsAre;

constexpr Color kParent = 0x0000FF;
constexpr Color kChild = 0x00FF00;

// A window that draws itself in one colour whenever its surface is new, as controls do.
class Painted : public Window {
  public:
    Painted(WindowSystem& system, Window* parent, Rect bounds, Color colour)
        : Window(system, parent, bounds), colour_(colour) {
        OnResize();
    }
    void OnResize() override {
        ++resizes;
        FillRect(DrawingSurface(), DrawingSurface().Bounds(), colour_);
        Invalidate();
    }
    int32_t resizes = 0;

  private:
    Color colour_;
};

struct Scaled {
    HeadlessBackend backend{{1280, 960}, DeviceScale::FromFactor(1.5)};
    WindowSystem system{backend};
    Painted top{system, nullptr, Rect::FromSize(10, 20, 8, 6), kParent};
    Painted child{system, &top, Rect::FromSize(1, 1, 3, 2), kChild};

    Scaled() {
        top.Show();
        child.Show();
        system.UpdateAll();
    }
    const HeadlessBackend::NativeWindow& Screen() const { return *backend.Native(top.NativeId()); }
    std::vector<std::string> Picture() const {
        return testsupport::Picture(Screen().screen, {{kParent, '.'}, {kChild, '#'}});
    }
};

// At 1.5 the child's logical columns 1..3 are device columns Edge(1) = 2 .. Edge(4) - 1 = 5,
// its rows 1..2 device rows 2 .. Edge(3) - 1 = 4: a place of its own size would be off by one.
TEST(Scale, ChildrenLieOnTheirWindowsDeviceEdges) {
    Scaled s;
    EXPECT_THAT(s.Picture(), ElementsAre("............",  //
                                         "............",  //
                                         "..####......",  //
                                         "..####......",  //
                                         "..####......",  //
                                         "............",  //
                                         "............",  //
                                         "............",  //
                                         "............"));
}

TEST(Scale, ADesktopScaleChangeDrawsEveryWindowAnewAndPresentsItWhole) {
    Scaled s;
    const int32_t before = s.child.resizes;
    s.backend.SetDesktopScale(DeviceScale::FromFactor(2));
    s.system.UpdateAll();
    EXPECT_EQ(s.child.resizes, before + 1);
    EXPECT_EQ(s.Screen().presented.back(), (Rect{0, 0, 16, 12}));
    const std::vector<std::string> picture = s.Picture();
    ASSERT_EQ(picture.size(), 12u);
    EXPECT_EQ(picture[1], "................");
    EXPECT_EQ(picture[2], "..######........");
    EXPECT_EQ(picture[5], "..######........");
    EXPECT_EQ(picture[6], "................");
}

TEST(Scale, ZoomMultipliesTheDesktopScaleHeldFromOneToFour) {
    Scaled s;
    s.top.SetZoom(2);
    s.system.UpdateAll();
    EXPECT_EQ(s.top.Scale().Per120(), 360);
    EXPECT_EQ(s.Screen().screen.Width(), 24);
    EXPECT_EQ(s.Picture()[3], "...#########............");
    s.top.SetZoom(9);
    EXPECT_EQ(s.top.Zoom(), 4);
    EXPECT_EQ(s.top.Scale().Per120(), 480);
    s.top.SetZoom(0.5);
    s.system.UpdateAll();
    EXPECT_EQ(s.top.Zoom(), 1);
    EXPECT_EQ(s.Picture(), Scaled{}.Picture());
}

// A shape of whole pixels clips the device pixels of its pixels; a traced one clips what it
// traces on the device pixels, and is traced again for a new scale.
TEST(Scale, TracedShapesClipAtTheDevicesResolution) {
    Scaled s;
    const Region logical =
        Region::FromRect({0, 0, 3, 2}).Difference(Region::FromRect({0, 0, 1, 1}));
    s.child.SetShape(logical);
    EXPECT_EQ(*s.child.DeviceShape(), s.child.DrawingSurface().ToDevice(logical));
    s.child.SetShape(logical, [](int32_t width, int32_t height) {
        return Region::FromRect({1, 0, width, height});
    });
    s.system.UpdateAll();
    EXPECT_EQ(*s.child.DeviceShape(), Region::FromRect({1, 0, 4, 3}));
    EXPECT_EQ(s.Picture()[2], "...###......");
    s.backend.SetDesktopScale(DeviceScale::FromFactor(2));
    s.system.UpdateAll();
    EXPECT_EQ(*s.child.DeviceShape(), Region::FromRect({1, 0, 6, 4}));
}

TEST(Scale, OwnedWindowsComeAtTheirOwnersZoom) {
    Scaled s;
    s.top.SetZoom(1.25);
    Painted box{s.system, nullptr, Rect::FromSize(0, 0, 40, 20), kParent};
    box.SetOwner(&s.top);
    box.Show();
    s.system.UpdateAll();
    EXPECT_EQ(box.Scale(), DeviceScale::FromFactor(1.875));
    EXPECT_EQ(s.backend.Native(box.NativeId())->screen.Width(), 75);
}

}  // namespace
}  // namespace platform
