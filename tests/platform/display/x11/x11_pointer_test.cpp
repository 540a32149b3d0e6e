// Colour pointers and the standard arrow, read back from the display with XFixes.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "tests/platform/display/x11/x11_fixture.h"

#include <X11/cursorfont.h>
#include <X11/extensions/Xfixes.h>

namespace platform {
namespace {

/// The pointer picture that the display shows.
struct ShownPointer {
    int32_t width = 0, height = 0;
    int32_t hotX = 0, hotY = 0;
    unsigned long serial = 0;      // the same for as long as the same cursor is shown
    std::vector<uint32_t> pixels;  // 0xAARRGGBB, premultiplied
};

/// A 4 x 4 picture of one colour (0xAABBGGRR, straight alpha) with a transparent corner, a
/// half-transparent one and an opaque black one, so that a picture turned or mirrored differs.
PointerImage Picture(uint32_t colour, int32_t hotX, int32_t hotY) {
    PointerImage p;
    p.image.width = 4;
    p.image.height = 4;
    p.image.pixels.assign(16, colour);
    p.image.pixels[0] = 0x00FFFFFF;
    p.image.pixels[3] = 0x80FFFFFF;
    p.image.pixels[12] = 0xFF000000;
    p.hotSpotX = hotX;
    p.hotSpotY = hotY;
    return p;
}

/// The picture's pixels as the display gives them back: 0xAARRGGBB with every colour channel
/// multiplied by alpha. Picture() only uses channels of 0 and 255, which multiply exactly.
std::vector<uint32_t> Premultiplied(const Image& image) {
    std::vector<uint32_t> result;
    for (const uint32_t p : image.pixels) {
        const uint32_t a = p >> 24;
        const uint32_t r = (p & 0xFF) * a / 255;
        const uint32_t g = ((p >> 8) & 0xFF) * a / 255;
        const uint32_t b = ((p >> 16) & 0xFF) * a / 255;
        result.push_back(a << 24 | r << 16 | g << 8 | b);
    }
    return result;
}

/// A native window of the backend's with no window of the window system in it, so that the
/// pointer moving over it changes no pointer picture behind the test's back.
class NativeWindow {
  public:
    NativeWindow(X11Backend& backend, Point position) : backend_(backend) {
        NativeWindowDesc desc;
        desc.title = "pointer";
        desc.position = position;
        desc.clientSize = {40, 40};
        desc.pixels = [](const Rect&) { return Surface(40, 40, 0); };
        id_ = backend.Windows().CreateNativeWindow(desc);
        // A window maps with its first picture.
        backend.Windows().Present(id_, {0, 0, 40, 40});
    }
    ~NativeWindow() { backend_.Windows().DestroyNativeWindow(id_); }
    NativeWindow(const NativeWindow&) = delete;
    NativeWindow& operator=(const NativeWindow&) = delete;

    ::Window Id() const { return id_; }

  private:
    X11Backend& backend_;
    NativeWindowId id_ = 0;
};

class X11Pointer : public X11Fixture {
  protected:
    void SetUp() override {
        X11Fixture::SetUp();
        int eventBase = 0, errorBase = 0;
        ASSERT_TRUE(XFixesQueryExtension(display.Get(), &eventBase, &errorBase));
        int major = 4, minor = 0;
        XFixesQueryVersion(display.Get(), &major, &minor);
    }
    void TearDown() override { backend.Windows().SetPointer(nullptr); }

    /// What the display shows with the pointer inside `window`, once it has carried out every
    /// request of the backend's.
    ShownPointer PointerIn(::Window window) {
        backend.DeliverPending();
        XWarpPointer(display.Get(), None, window, 0, 0, 0, 0, 10, 10);
        XSync(display.Get(), False);
        ShownPointer shown;
        XFixesCursorImage* image = XFixesGetCursorImage(display.Get());
        if (!image) return shown;
        shown.width = image->width;
        shown.height = image->height;
        shown.hotX = image->xhot;
        shown.hotY = image->yhot;
        shown.serial = image->cursor_serial;
        for (int i = 0; i < image->width * image->height; ++i)
            shown.pixels.push_back(static_cast<uint32_t>(image->pixels[i]));
        XFree(image);
        return shown;
    }

    NativeWindow first{backend, {100, 100}};
    NativeWindow second{backend, {300, 100}};
};

TEST_F(X11Pointer, ColourPictureIsShownInEveryWindow) {
    const PointerImage picture = Picture(0xFF0000FF, 1, 2);
    backend.Windows().SetPointer(&picture);
    for (const ::Window window : {first.Id(), second.Id()}) {
        const ShownPointer shown = PointerIn(window);
        EXPECT_EQ(shown.width, 4);
        EXPECT_EQ(shown.height, 4);
        EXPECT_EQ(shown.hotX, 1);
        EXPECT_EQ(shown.hotY, 2);
        EXPECT_EQ(shown.pixels, Premultiplied(picture.image));
    }
}

TEST_F(X11Pointer, ColourPointersAreMadeOncePerPicture) {
    const PointerImage picture = Picture(0xFF0000FF, 1, 2);
    backend.Windows().SetPointer(&picture);
    const ShownPointer made = PointerIn(first.Id());

    const PointerImage equal = picture;  // another object with the same picture
    backend.Windows().SetPointer(&equal);
    EXPECT_EQ(PointerIn(first.Id()).serial, made.serial);

    const PointerImage movedHotSpot = Picture(0xFF0000FF, 2, 2);
    backend.Windows().SetPointer(&movedHotSpot);
    const ShownPointer moved = PointerIn(first.Id());
    EXPECT_NE(moved.serial, made.serial);
    EXPECT_EQ(moved.hotX, 2);
    EXPECT_EQ(moved.pixels, made.pixels);

    const PointerImage otherColour = Picture(0xFF00FF00, 2, 2);
    backend.Windows().SetPointer(&otherColour);
    const ShownPointer recoloured = PointerIn(first.Id());
    EXPECT_NE(recoloured.serial, moved.serial);
    EXPECT_EQ(recoloured.pixels, Premultiplied(otherColour.image));
}

TEST_F(X11Pointer, NoPictureBringsBackTheStandardArrow) {
    // The arrow as any client gets it, shown in a window of the test's own.
    const ::Window mine = XCreateSimpleWindow(display.Get(), DefaultRootWindow(display.Get()), 500,
                                              100, 40, 40, 0, 0, 0);
    const Cursor leftPointer = XCreateFontCursor(display.Get(), XC_left_ptr);
    XDefineCursor(display.Get(), mine, leftPointer);
    XMapWindow(display.Get(), mine);
    const ShownPointer arrow = PointerIn(mine);
    ASSERT_GT(arrow.width, 0);

    const PointerImage picture = Picture(0xFF0000FF, 1, 2);
    backend.Windows().SetPointer(&picture);
    ASSERT_EQ(PointerIn(first.Id()).pixels, Premultiplied(picture.image));
    backend.Windows().SetPointer(nullptr);
    for (const ::Window window : {first.Id(), second.Id()}) {
        const ShownPointer shown = PointerIn(window);
        EXPECT_EQ(shown.width, arrow.width);
        EXPECT_EQ(shown.height, arrow.height);
        EXPECT_EQ(shown.hotX, arrow.hotX);
        EXPECT_EQ(shown.hotY, arrow.hotY);
        EXPECT_EQ(shown.pixels, arrow.pixels);
    }
    XDestroyWindow(display.Get(), mine);
    XFreeCursor(display.Get(), leftPointer);
}

}  // namespace
}  // namespace platform
