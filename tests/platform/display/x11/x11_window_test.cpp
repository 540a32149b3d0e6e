// Native windows as the display sees them: place, size, window manager properties, the pixels
// presented and shown again after exposure, and their end.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "tests/platform/display/x11/x11_fixture.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>

namespace platform {
namespace {

constexpr uint32_t kSentinel = 0x00C0FFEE;
const Rect kBounds = Rect::FromSize(100, 100, 80, 60);
const char* const kTitle = "Tavik \xC3\xA9";

/// The colour drawn at (x, y): red x, green y, blue 0x40.
Color Pattern(int32_t x, int32_t y) {
    return 0x400000u | static_cast<uint32_t>(y) << 8 | static_cast<uint32_t>(x);
}
/// The same colour as a 24-bit display shows it.
uint32_t PatternOnScreen(int32_t x, int32_t y) {
    return static_cast<uint32_t>(x) << 16 | static_cast<uint32_t>(y) << 8 | 0x40u;
}

/// The UTF-8 text of a property holding ISO Latin-1 (STRING) or UTF-8 (UTF8_STRING) text, the
/// two encodings in which a window manager finds a window's title.
std::string TextOf(const XProperty& property) {
    if (property.type == XA_STRING) {
        std::string text;
        for (const unsigned char c : property.bytes) {
            if (c < 0x80) {
                text += static_cast<char>(c);
            } else {
                text += static_cast<char>(0xC0 | c >> 6);
                text += static_cast<char>(0x80 | (c & 0x3F));
            }
        }
        return text;
    }
    return std::string(property.bytes.begin(), property.bytes.end());
}

/// Checks every pixel of the window's client area: `expected` gives the value at (x, y).
template <typename Expected>
void ExpectPixels(Display* display, ::Window window, Expected expected) {
    const std::vector<uint32_t> pixels = ReadPixels(display, window, {0, 0, 80, 60});
    ASSERT_EQ(pixels.size(), 80u * 60u);
    for (int32_t y = 0; y < 60; ++y)
        for (int32_t x = 0; x < 80; ++x)
            ASSERT_EQ(pixels[static_cast<size_t>(y * 80 + x)], expected(x, y)) << x << "," << y;
}

class X11Window : public X11Fixture {
  protected:
    void SetUp() override {
        X11Fixture::SetUp();
        window.SetTitle(kTitle);
        window.Show();
        ASSERT_NE(window.NativeId(), 0u);
        native = window.NativeId();
        Surface& s = window.DrawingSurface();
        for (int32_t y = 0; y < s.Height(); ++y)
            for (int32_t x = 0; x < s.Width(); ++x)
                s.SetPixel(x, y, Pattern(x, y));
        window.Invalidate();
        Drain();
    }

    RecordingWindow window{system, nullptr, kBounds};
    ::Window native = 0;
};

TEST_F(X11Window, OpensMappedAtItsPlaceWithTheClientSizeAndNoBorder) {
    XWindowAttributes attributes{};
    ASSERT_NE(XGetWindowAttributes(display.Get(), native, &attributes), 0);
    EXPECT_EQ(attributes.map_state, IsViewable);
    EXPECT_EQ(attributes.width, 80);
    EXPECT_EQ(attributes.height, 60);
    EXPECT_EQ(attributes.border_width, 0);
    const ::Window root = DefaultRootWindow(display.Get());
    int x = 0, y = 0;
    ::Window child = 0;
    ASSERT_TRUE(XTranslateCoordinates(display.Get(), native, root, 0, 0, &x, &y, &child));
    EXPECT_EQ(x, 100);
    EXPECT_EQ(y, 100);
}

TEST_F(X11Window, TellsTheWindowManagerItsTitleClassProtocolsFixedSizeAndProcess) {
    Display* d = display.Get();

    EXPECT_EQ(TextOf(ReadProperty(d, native, XA_WM_NAME)), kTitle);
    const XProperty netName = ReadProperty(d, native, AtomNamed("_NET_WM_NAME"));
    EXPECT_EQ(netName.type, AtomNamed("UTF8_STRING"));
    EXPECT_EQ(TextOf(netName), kTitle);

    XClassHint hint{};
    ASSERT_NE(XGetClassHint(d, native, &hint), 0);
    EXPECT_STREQ(hint.res_name, "tavik-calculator");
    EXPECT_STREQ(hint.res_class, "Tavik-calculator");
    XFree(hint.res_name);
    XFree(hint.res_class);

    Atom* protocols = nullptr;
    int protocolCount = 0;
    ASSERT_NE(XGetWMProtocols(d, native, &protocols, &protocolCount), 0);
    const std::vector<Atom> listed(protocols, protocols + protocolCount);
    XFree(protocols);
    EXPECT_NE(std::find(listed.begin(), listed.end(), AtomNamed("WM_DELETE_WINDOW")), listed.end());
    EXPECT_NE(std::find(listed.begin(), listed.end(), AtomNamed("_NET_WM_PING")), listed.end());

    XSizeHints hints{};
    long supplied = 0;
    ASSERT_NE(XGetWMNormalHints(d, native, &hints, &supplied), 0);
    // A place the program proposes, which the window manager may correct; not the user's.
    EXPECT_EQ(hints.flags & (PPosition | USPosition | PWinGravity | PMinSize | PMaxSize),
              PPosition | PWinGravity | PMinSize | PMaxSize);
    EXPECT_EQ(hints.win_gravity, StaticGravity);  // the place is the client area's
    EXPECT_EQ(hints.min_width, 80);
    EXPECT_EQ(hints.min_height, 60);
    EXPECT_EQ(hints.max_width, 80);
    EXPECT_EQ(hints.max_height, 60);

    const XProperty pid = ReadProperty(d, native, AtomNamed("_NET_WM_PID"));
    EXPECT_EQ(pid.type, XA_CARDINAL);
    EXPECT_EQ(pid.items, std::vector<uint32_t>{static_cast<uint32_t>(getpid())});
    char host[256] = {};
    ASSERT_EQ(gethostname(host, sizeof host - 1), 0);
    const XProperty machine = ReadProperty(d, native, XA_WM_CLIENT_MACHINE);
    EXPECT_EQ(machine.type, XA_STRING);
    EXPECT_EQ(TextOf(machine), host);
}

// A title beyond Latin-1 reaches window managers whole through _NET_WM_NAME.
TEST_F(X11Fixture, TitleBeyondLatin1IsGivenWholeInUtf8) {
    Window window(system, nullptr, kBounds);
    window.SetTitle("Tavik \xE2\x9C\x93 \xE2\x82\xAC");
    window.Show();
    Drain();
    const XProperty netName =
        ReadProperty(display.Get(), window.NativeId(), AtomNamed("_NET_WM_NAME"));
    EXPECT_EQ(netName.type, AtomNamed("UTF8_STRING"));
    EXPECT_EQ(TextOf(netName), "Tavik \xE2\x9C\x93 \xE2\x82\xAC");
}

TEST_F(X11Window, OpaqueWindowWithoutIconHasNoIcon) {
    EXPECT_EQ(ReadProperty(display.Get(), native, AtomNamed("_NET_WM_ICON")).type, None);
    const XProperty opacity =
        ReadProperty(display.Get(), native, AtomNamed("_NET_WM_WINDOW_OPACITY"));
    EXPECT_EQ(opacity.type, XA_CARDINAL);
    EXPECT_EQ(opacity.items, std::vector<uint32_t>{0xFFFFFFFF});
}

TEST_F(X11Window, PresentingShowsEveryFramebufferPixel) {
    ExpectPixels(display.Get(), native, PatternOnScreen);
}

TEST_F(X11Window, PresentingWritesOnlyTheChangedRectangle) {
    FillWindow(display.Get(), native, {0, 0, 80, 60}, kSentinel);
    const Rect changed{10, 20, 30, 25};
    for (int32_t y = changed.top; y < changed.bottom; ++y)
        for (int32_t x = changed.left; x < changed.right; ++x)
            window.DrawingSurface().SetPixel(x, y, 0x00FF0000);
    window.Invalidate(changed);
    Drain();
    ExpectPixels(display.Get(), native, [&](int32_t x, int32_t y) {
        return changed.Contains({x, y}) ? 0x000000FFu : kSentinel;
    });
}

// The window system clips what it presents to the framebuffer, for every backend.
TEST_F(X11Window, UpdatesPresentTheChangedRectangleClippedToTheFramebuffer) {
    struct Case {
        Rect changed;
        Rect shown;
    };
    Surface& surface = window.DrawingSurface();
    surface = Surface(surface.Width(), surface.Height(), 0x000000FF);
    for (const Case& c :
         {Case{{70, 50, 200, 200}, {70, 50, 80, 60}}, Case{{-10, -20, 5, 4}, {0, 0, 5, 4}},
          Case{{-5, 30, 300, 31}, {0, 30, 80, 31}}}) {
        SCOPED_TRACE(::testing::Message() << c.changed.left << "," << c.changed.top);
        FillWindow(display.Get(), native, {0, 0, 80, 60}, kSentinel);
        window.Invalidate(c.changed);
        Drain();
        ExpectPixels(display.Get(), native, [&](int32_t x, int32_t y) {
            return c.shown.Contains({x, y}) ? 0x00FF0000u : kSentinel;
        });
    }
}

TEST_F(X11Window, ExposureShowsTheExposedPartAgain) {
    // An area of 0 x 0 exposes the whole window.
    for (const Rect exposed : {Rect{10, 5, 50, 40}, Rect{0, 0, 0, 0}}) {
        SCOPED_TRACE(::testing::Message() << exposed.Width() << "x" << exposed.Height());
        FillWindow(display.Get(), native, {0, 0, 80, 60}, kSentinel);
        XClearArea(display.Get(), native, exposed.left, exposed.top,
                   static_cast<unsigned>(exposed.Width()), static_cast<unsigned>(exposed.Height()),
                   True);
        Drain();
        const Rect shown = exposed.IsEmpty() ? Rect{0, 0, 80, 60} : exposed;
        const std::vector<uint32_t> pixels = ReadPixels(display.Get(), native, shown);
        ASSERT_EQ(pixels.size(), static_cast<size_t>(shown.Width() * shown.Height()));
        for (int32_t y = shown.top; y < shown.bottom; ++y)
            for (int32_t x = shown.left; x < shown.right; ++x)
                ASSERT_EQ(
                    pixels[static_cast<size_t>((y - shown.top) * shown.Width() + (x - shown.left))],
                    PatternOnScreen(x, y))
                    << x << "," << y;
    }
}

// The window maps with its whole picture on it: read right after the map, before the backend
// has heard of any exposure, every pixel is the framebuffer's. The larger window's picture
// (480 KB) needs a request beyond the core protocol's 256 KB.
TEST_F(X11Fixture, WindowMapsWithItsWholePictureOnIt) {
    for (const Size size : {Size{80, 60}, Size{400, 300}}) {
        SCOPED_TRACE(::testing::Message() << size.width << "x" << size.height);
        RecordingWindow shown{system, nullptr, Rect::FromSize(10, 10, size.width, size.height)};
        Surface& s = shown.DrawingSurface();
        for (int32_t y = 0; y < s.Height(); ++y)
            for (int32_t x = 0; x < s.Width(); ++x)
                s.SetPixel(x, y, Pattern(x & 0xFF, y & 0xFF));
        shown.Show();
        system.UpdateAll();
        backend.Windows().Flush();
        XSync(display.Get(), False);
        XWindowAttributes attributes{};
        ASSERT_NE(XGetWindowAttributes(display.Get(), shown.NativeId(), &attributes), 0);
        ASSERT_EQ(attributes.map_state, IsViewable);
        const std::vector<uint32_t> pixels =
            ReadPixels(display.Get(), shown.NativeId(), {0, 0, size.width, size.height});
        ASSERT_EQ(pixels.size(), static_cast<size_t>(size.width * size.height));
        for (int32_t y = 0; y < size.height; ++y)
            for (int32_t x = 0; x < size.width; ++x)
                ASSERT_EQ(pixels[static_cast<size_t>(y * size.width + x)],
                          PatternOnScreen(x & 0xFF, y & 0xFF))
                    << x << "," << y;
    }
}

// Without a background the display leaves the window's pixels alone when it clears it (before
// an exposure, say): no flash of another colour before the framebuffer is shown again.
TEST_F(X11Window, ClearingLeavesThePixelsAsTheyWere) {
    FillWindow(display.Get(), native, {0, 0, 80, 60}, kSentinel);
    XClearArea(display.Get(), native, 0, 0, 0, 0, False);
    XSync(display.Get(), False);
    ExpectPixels(display.Get(), native, [](int32_t, int32_t) { return kSentinel; });
}

TEST_F(X11Window, HidingTheWindowDestroysTheXWindow) {
    window.Hide();
    backend.DeliverPending();
    XErrorTrap trap(display.Get());
    XWindowAttributes attributes{};
    XGetWindowAttributes(display.Get(), native, &attributes);
    EXPECT_EQ(trap.FirstError(), BadWindow);
}

// Another program may destroy the window (or the display may, as the program closes it) before
// the backend's next requests about it arrive: drawing into it and destroying it then fail on
// the display, and no X error ends the program.
TEST_F(X11Window, RequestsAboutAWindowDestroyedElsewhereDoNotEndTheProgram) {
    XDestroyWindow(display.Get(), native);
    window.Invalidate();
    Drain();
    window.Hide();
    backend.DeliverPending();
    RecordingWindow next(system, nullptr, kBounds);
    next.Show();
    Drain();
    EXPECT_NE(next.NativeId(), 0u);
}

class X11Decoration : public X11Fixture {
  protected:
    Window window{system, nullptr, Rect::FromSize(50, 40, 30, 20)};
};

TEST_F(X11Decoration, BorderlessWindowAsksForNoDecorationsAndNoFunctions) {
    window.SetBordered(false);
    window.Show();
    Drain();
    const XProperty hints =
        ReadProperty(display.Get(), window.NativeId(), AtomNamed("_MOTIF_WM_HINTS"));
    EXPECT_EQ(hints.format, 32);
    EXPECT_EQ(hints.items, (std::vector<uint32_t>{2, 0, 0, 0, 0}));
}

TEST_F(X11Decoration, IconIsGivenAsSizeThenArgbWordsForEachSize) {
    Image icon{3, 2, {}};
    // 0xAABBGGRR: opaque red, green, blue, a half-transparent mix and two transparent pixels.
    icon.pixels = {0xFF0000FF, 0xFF00FF00, 0xFFFF0000, 0x80332211, 0x00000000, 0x00FFFFFF};
    window.SetIcon([icon] { return std::vector{icon, Image{1, 1, {0x7F0000FF}}}; });
    window.Show();
    Drain();
    const XProperty property =
        ReadProperty(display.Get(), window.NativeId(), AtomNamed("_NET_WM_ICON"));
    EXPECT_EQ(property.type, XA_CARDINAL);
    EXPECT_EQ(property.format, 32);
    EXPECT_EQ(property.items,
              (std::vector<uint32_t>{3, 2, 0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0x80112233,
                                     0x00000000, 0x00FFFFFF, 1, 1, 0x7FFF0000}));
}

// A large icon reaches the property whole, however the backend sends it.
TEST_F(X11Decoration, LargeIconsAreGivenWhole) {
    std::vector<uint32_t> expected;
    std::vector<Image> icons;
    for (const int32_t side : {16, 128, 96}) {
        Image icon{side, side, {}};
        expected.insert(expected.end(), {static_cast<uint32_t>(side), static_cast<uint32_t>(side)});
        for (int32_t i = 0; i < side * side; ++i) {
            const uint32_t v = static_cast<uint32_t>(i * 7 + side);
            icon.pixels.push_back(0xFF000000u | (v & 0xFFFFFF));
            expected.push_back(0xFF000000u | (v & 0xFF) << 16 | (v & 0xFF00) | (v >> 16 & 0xFF));
        }
        icons.push_back(std::move(icon));
    }
    window.SetIcon([icons] { return icons; });
    window.Show();
    Drain();
    const XProperty property =
        ReadProperty(display.Get(), window.NativeId(), AtomNamed("_NET_WM_ICON"));
    ASSERT_EQ(property.items.size(), expected.size());
    EXPECT_TRUE(property.items == expected);
}

TEST_F(X11Decoration, OpacityIsAFractionOfTheFullCardinal) {
    const auto shown = [&] {
        const XProperty p =
            ReadProperty(display.Get(), window.NativeId(), AtomNamed("_NET_WM_WINDOW_OPACITY"));
        EXPECT_EQ(p.type, XA_CARDINAL);
        return p.items;
    };
    window.SetOpacity(128);
    window.Show();
    Drain();
    EXPECT_EQ(shown(), std::vector<uint32_t>{0x80808080});
    // 0xFFFFFFFF is 255 * 0x01010101, so every opacity maps to a whole value.
    for (const uint32_t opacity : {0u, 1u, 77u, 254u, 255u}) {
        SCOPED_TRACE(opacity);
        window.SetOpacity(static_cast<uint8_t>(opacity));
        backend.DeliverPending();
        EXPECT_EQ(shown(), std::vector<uint32_t>{opacity * 0x01010101u});
    }
}

// A compositing window manager reads the opacity when it maps the window: the property must be
// there before the window asks to be mapped, or the window flashes up opaque.
TEST_F(X11Decoration, OpacityIsSetBeforeTheWindowAsksToBeMapped) {
    Display* d = display.Get();
    const ::Window root = DefaultRootWindow(d);
    // Acting as the window manager, the test receives the map request instead of the display
    // carrying it out.
    {
        XErrorTrap trap(d);
        XSelectInput(d, root, SubstructureRedirectMask);
        ASSERT_EQ(trap.FirstError(), 0) << "another client manages the windows";
    }
    window.SetOpacity(100);
    window.Show();
    system.UpdateAll();
    backend.DeliverPending();
    XSync(d, False);
    XEvent event{};
    bool requested = false;
    while (XCheckTypedEvent(d, MapRequest, &event))
        requested = requested || event.xmaprequest.window == window.NativeId();
    XSelectInput(d, root, NoEventMask);
    ASSERT_TRUE(requested);
    const XProperty opacity =
        ReadProperty(d, window.NativeId(), AtomNamed("_NET_WM_WINDOW_OPACITY"));
    EXPECT_EQ(opacity.items, std::vector<uint32_t>{100 * 0x01010101u});
    XWindowAttributes attributes{};
    ASSERT_NE(XGetWindowAttributes(d, window.NativeId(), &attributes), 0);
    EXPECT_EQ(attributes.map_state, IsUnmapped);
}

/// Sets an environment variable for its lifetime.
class ScopedEnvironment {
  public:
    ScopedEnvironment(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        setenv(name, value, 1);
    }
    ~ScopedEnvironment() {
        if (old_) {
            setenv(name_.c_str(), old_->c_str(), 1);
        } else {
            unsetenv(name_.c_str());
        }
    }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

  private:
    std::string name_;
    std::optional<std::string> old_;
};

TEST(X11BackendStart, WithoutTheDisplayThrowsNamingIt) {
    {
        const ScopedEnvironment display("DISPLAY", ":93517");
        try {
            X11Backend backend("tavik-calculator");
            ADD_FAILURE() << "the backend opened a display";
        } catch (const std::runtime_error& e) {
            EXPECT_NE(std::string(e.what()).find(":93517"), std::string::npos) << e.what();
        }
    }
    // The display is still there for a backend started normally afterwards.
    EXPECT_NO_THROW(X11Backend("tavik-calculator"));
}

}  // namespace
}  // namespace platform
