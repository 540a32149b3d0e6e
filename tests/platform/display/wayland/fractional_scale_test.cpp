// The backend on a compositor that gives fractional scales: what each commit carries when the
// compositor's scale or the window's zoom changes.
#include <gtest/gtest.h>

#include <optional>

#include "platform/display/wayland/wayland_backend.h"
#include "platform/ui/window.h"
#include "platform/ui/window_system.h"
#include "tests/platform/display/wayland/fractional_compositor.h"

namespace platform {
namespace {

using Commit = FractionalCompositor::Commit;

/// A window of distinct colours: red x and green y at (x, y).
class PatternWindow : public Window {
  public:
    using Window::Window;
    void Paint(Surface& s) override {
        for (int32_t y = 0; y < s.Height(); ++y)
            for (int32_t x = 0; x < s.Width(); ++x)
                s.SetPixel(x, y, static_cast<Color>((y & 0xFF) << 8 | (x & 0xFF)));
    }
};

/// Whether a buffer holds exactly the framebuffer's device pixels, as XRGB8888 keeps them.
bool ShowsDevicePixels(const Commit& commit, const Surface& framebuffer) {
    if (commit.buffer != Size{framebuffer.DeviceWidth(), framebuffer.DeviceHeight()}) return false;
    size_t i = 0;
    for (int32_t y = 0; y < framebuffer.DeviceHeight(); ++y) {
        for (int32_t x = 0; x < framebuffer.DeviceWidth(); ++x) {
            const Color c = framebuffer.Row(y)[x];
            const uint32_t rgb = (c & 0xFF) << 16 | (c & 0xFF00) | (c >> 16 & 0xFF);
            if ((commit.pixels[i++] & 0xFFFFFF) != rgb) return false;
        }
    }
    return true;
}

class FractionalScale : public ::testing::Test {
  protected:
    /// Lets the compositor answer every request, delivers the scales it asked for, and paints
    /// and presents what they changed, until the program has nothing more to show.
    void Settle() {
        for (int round = 0; round < 3; ++round) {
            backend.Roundtrip();
            backend.Events().DeliverWaiting();
            system.DispatchPending();
        }
        backend.Roundtrip();
    }

    /// The latest commit that brought a buffer to the window's surface, or to its title bar's.
    std::optional<Commit> LastPicture(bool toplevel) {
        std::optional<Commit> last;
        for (Commit& commit : compositor.Commits())
            if (commit.toplevel == toplevel && commit.buffer.width > 0) last = std::move(commit);
        return last;
    }

    FractionalCompositor compositor{180};
    WaylandBackend backend{"tavik-calculator"};
    WindowSystem system{backend};
    PatternWindow window{system, nullptr, Rect::FromSize(0, 0, 312, 324)};
};

TEST_F(FractionalScale, BuffersHoldDevicePixelsShownAtTheLogicalSize) {
    window.SetTitle("Pattern");
    window.Show();
    Settle();
    const std::optional<Commit> picture = LastPicture(true);
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->buffer, (Size{468, 486}));
    EXPECT_EQ(picture->destination, (Size{312, 324}));
    EXPECT_EQ(picture->bufferScale, 1);
    EXPECT_TRUE(ShowsDevicePixels(*picture, window.DrawingSurface()));
    // The program's own title bar, 24 logical pixels high, at the window's scale too.
    const std::optional<Commit> bar = LastPicture(false);
    ASSERT_TRUE(bar);
    EXPECT_EQ(bar->buffer, (Size{468, 36}));
    EXPECT_EQ(bar->destination, (Size{312, 24}));
}

// A configure that comes before the window is first painted brings no buffer: the window's
// first buffer holds its whole first picture.
TEST_F(FractionalScale, FirstBufferHoldsTheWholeFirstPicture) {
    window.Show();
    for (int round = 0; round < 2; ++round) {
        backend.Roundtrip();
        backend.Events().DeliverWaiting();
    }
    EXPECT_FALSE(LastPicture(true));
    Settle();
    std::optional<Commit> first;
    for (Commit& commit : compositor.Commits())
        if (commit.toplevel && commit.buffer.width > 0 && !first) first = std::move(commit);
    ASSERT_TRUE(first);
    EXPECT_TRUE(ShowsDevicePixels(*first, window.DrawingSurface()));
}

TEST_F(FractionalScale, AnotherPreferredScaleBringsBuffersOfItsSize) {
    window.Show();
    Settle();
    ASSERT_EQ(LastPicture(true)->buffer, (Size{468, 486}));
    compositor.SetPreferredScale(240);
    Settle();
    const std::optional<Commit> picture = LastPicture(true);
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->buffer, (Size{624, 648}));
    EXPECT_EQ(picture->destination, (Size{312, 324}));
    EXPECT_TRUE(ShowsDevicePixels(*picture, window.DrawingSurface()));
    EXPECT_EQ(LastPicture(false)->buffer, (Size{624, 48}));
}

TEST_F(FractionalScale, AZoomEnlargesTheWindowOnTheCompositorsGrid) {
    compositor.SetPreferredScale(120);
    window.Show();
    Settle();
    window.SetZoom(1.5);
    Settle();
    const std::optional<Commit> picture = LastPicture(true);
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->buffer, (Size{468, 486}));
    EXPECT_EQ(picture->destination, (Size{468, 486}));
    EXPECT_TRUE(ShowsDevicePixels(*picture, window.DrawingSurface()));
}

}  // namespace
}  // namespace platform
