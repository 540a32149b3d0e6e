// A backend on a desktop of twice the density: the screen halved for the window system, windows
// placed at twice their place and size, exposed device pixels shown again from the framebuffer's
// device pixels, the pointer picture doubled.
// Pixels and input at 2x and 3x are checked on the whole program by tests/e2e.
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <vector>

#include "tests/platform/display/x11/x11_fixture.h"

#include <X11/extensions/Xfixes.h>

namespace platform {
namespace {

constexpr uint32_t kSentinel = 0x00C0FFEE;

class X11Scaled : public X11Fixture {
  protected:
    static void SetUpTestSuite() { StartBackend("2"); }

    void SetUp() override {
        X11Fixture::SetUp();
        window.Show();
        Surface& s = window.DrawingSurface();
        for (int32_t y = 0; y < s.Height(); ++y)
            for (int32_t x = 0; x < s.Width(); ++x)
                s.SetPixel(x, y,
                           0x400000u | static_cast<uint32_t>(y) << 8 | static_cast<uint32_t>(x));
        window.Invalidate();
        Drain();
    }

    /// What a 24-bit display shows at device pixel (x, y): the logical pixel under it.
    static uint32_t Shown(int32_t x, int32_t y) {
        return static_cast<uint32_t>(x / 2) << 16 | static_cast<uint32_t>(y / 2) << 8 | 0x40u;
    }

    RecordingWindow window{system, nullptr, Rect::FromSize(100, 50, 80, 60)};
};

TEST_F(X11Scaled, WindowsOpenAtTwiceTheirPlaceAndSizeOnAHalvedScreen) {
    EXPECT_EQ(backend.Screen().Scale().Per120(), 240);
    EXPECT_EQ(backend.Screen().WorkArea(std::nullopt), (Rect{0, 0, 512, 384}));
    XWindowAttributes attributes{};
    ASSERT_NE(XGetWindowAttributes(display.Get(), window.NativeId(), &attributes), 0);
    EXPECT_EQ(attributes.width, 160);
    EXPECT_EQ(attributes.height, 120);
    int x = 0, y = 0;
    ::Window child = 0;
    XTranslateCoordinates(display.Get(), window.NativeId(), DefaultRootWindow(display.Get()), 0, 0,
                          &x, &y, &child);
    EXPECT_EQ(x, 200);
    EXPECT_EQ(y, 100);
}

// An exposed rectangle that cuts through logical pixels shows again exactly its device pixels.
TEST_F(X11Scaled, ExposureShowsTheExposedDevicePixels) {
    FillWindow(display.Get(), window.NativeId(), {0, 0, 160, 120}, kSentinel);
    XClearArea(display.Get(), window.NativeId(), 3, 5, 4, 1, True);
    Drain();
    const std::vector<uint32_t> pixels =
        ReadPixels(display.Get(), window.NativeId(), {0, 0, 10, 8});
    const Rect shown{3, 5, 7, 6};
    for (int32_t y = 0; y < 8; ++y)
        for (int32_t x = 0; x < 10; ++x)
            EXPECT_EQ(pixels[static_cast<size_t>(y * 10 + x)],
                      shown.Contains({x, y}) ? Shown(x, y) : kSentinel)
                << x << "," << y;
}

TEST_F(X11Scaled, PointerPictureGrowsWithItsHotSpot) {
    int eventBase = 0, errorBase = 0;
    ASSERT_TRUE(XFixesQueryExtension(display.Get(), &eventBase, &errorBase));
    int major = 4, minor = 0;
    XFixesQueryVersion(display.Get(), &major, &minor);
    PointerImage picture;
    picture.image.width = 3;
    picture.image.height = 2;
    picture.image.pixels = {0xFF0000FF, 0xFF00FF00, 0xFFFF0000, 0xFF000000, 0xFFFFFFFF, 0xFF0000FF};
    picture.hotSpotX = 2;
    picture.hotSpotY = 1;
    backend.Windows().SetPointer(&picture);
    backend.DeliverPending();
    XWarpPointer(display.Get(), None, window.NativeId(), 0, 0, 0, 0, 10, 10);
    XSync(display.Get(), False);
    XFixesCursorImage* image = XFixesGetCursorImage(display.Get());
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->width, 6);
    EXPECT_EQ(image->height, 4);
    EXPECT_EQ(image->xhot, 4);
    EXPECT_EQ(image->yhot, 2);
    // 0xAARRGGBB as the display gives it back.
    const uint32_t rows[2][3] = {{0xFFFF0000, 0xFF00FF00, 0xFF0000FF},
                                 {0xFF000000, 0xFFFFFFFF, 0xFFFF0000}};
    for (int32_t y = 0; y < 4 && y < image->height; ++y)
        for (int32_t x = 0; x < 6 && x < image->width; ++x)
            EXPECT_EQ(static_cast<uint32_t>(image->pixels[y * image->width + x]),
                      rows[y / 2][x / 2])
                << x << "," << y;
    XFree(image);
    backend.Windows().SetPointer(nullptr);
}

}  // namespace
}  // namespace platform
