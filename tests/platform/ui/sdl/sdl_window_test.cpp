// Native windows, presentation through the window surface, pointers, clipboard and the screen.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>

#include "tests/platform/ui/sdl/sdl_fixture.h"

namespace platform {
namespace {

constexpr uint32_t kSentinel = 0x00C0FFEE;

/// A window surface pixel (0x00RRGGBB on this display).
uint32_t ScreenPixel(SDL_Surface* screen, int32_t x, int32_t y) {
    return static_cast<const uint32_t*>(screen->pixels)[y * (screen->pitch / 4) + x];
}

void FillScreen(SDL_Surface* screen, uint32_t value) {
    SDL_FillRect(screen, nullptr, value);
}

/// The colour drawn at (x, y): red x, green y, blue 0x40.
Color Pattern(int32_t x, int32_t y) {
    return 0x400000u | static_cast<uint32_t>(y) << 8 | static_cast<uint32_t>(x);
}
/// The same colour as the window surface holds it.
uint32_t PatternOnScreen(int32_t x, int32_t y) {
    return static_cast<uint32_t>(x) << 16 | static_cast<uint32_t>(y) << 8 | 0x40u;
}

SDL_Event WindowEventOf(Uint32 window, Uint8 event) {
    SDL_Event e{};
    e.window.type = SDL_WINDOWEVENT;
    e.window.windowID = window;
    e.window.event = event;
    return e;
}

class SdlWindow : public SdlFixture {
  protected:
    void SetUp() override {
        window.SetTitle("Tavik \xE2\x9C\x93");
        window.Show();
        sdlWindow = SDL_GetWindowFromID(window.NativeId());
        ASSERT_NE(sdlWindow, nullptr);
        Surface& s = window.DrawingSurface();
        for (int32_t y = 0; y < s.Height(); ++y)
            for (int32_t x = 0; x < s.Width(); ++x)
                s.SetPixel(x, y, Pattern(x, y));
        window.Invalidate();
        Drain();
        screen = SDL_GetWindowSurface(sdlWindow);
        ASSERT_NE(screen, nullptr);
        // The display the tests run on is 24-bit, the usual X11 one.
        ASSERT_EQ(screen->format->format, SDL_PIXELFORMAT_RGB888);
        ASSERT_EQ(screen->w, 80);
        ASSERT_EQ(screen->h, 60);
    }

    RecordingWindow window{system, Rect::FromSize(100, 100, 80, 60)};
    SDL_Window* sdlWindow = nullptr;
    SDL_Surface* screen = nullptr;
};

TEST_F(SdlWindow, OpensWithTheTitleAndClientSize) {
    EXPECT_STREQ(SDL_GetWindowTitle(sdlWindow), "Tavik \xE2\x9C\x93");
    int w = 0, h = 0;
    SDL_GetWindowSize(sdlWindow, &w, &h);
    EXPECT_EQ(w, 80);
    EXPECT_EQ(h, 60);
    const Uint32 flags = SDL_GetWindowFlags(sdlWindow);
    EXPECT_TRUE(flags & SDL_WINDOW_SHOWN);
    EXPECT_FALSE(flags & SDL_WINDOW_BORDERLESS);
    EXPECT_FALSE(flags & SDL_WINDOW_RESIZABLE);
    EXPECT_FALSE(flags & SDL_WINDOW_OPENGL);
}

TEST_F(SdlWindow, PresentingShowsEveryFramebufferPixel) {
    for (int32_t y = 0; y < 60; ++y)
        for (int32_t x = 0; x < 80; ++x)
            ASSERT_EQ(ScreenPixel(screen, x, y), PatternOnScreen(x, y)) << x << "," << y;
}

TEST_F(SdlWindow, PresentingWritesOnlyTheChangedRectangle) {
    FillScreen(screen, kSentinel);
    const Rect changed{10, 20, 30, 25};
    for (int32_t y = changed.top; y < changed.bottom; ++y)
        for (int32_t x = changed.left; x < changed.right; ++x)
            window.DrawingSurface().SetPixel(x, y, 0x00FF0000);
    window.Invalidate(changed);
    Drain();
    for (int32_t y = 0; y < 60; ++y) {
        for (int32_t x = 0; x < 80; ++x) {
            const uint32_t expected = changed.Contains({x, y}) ? 0x000000FFu : kSentinel;
            ASSERT_EQ(ScreenPixel(screen, x, y), expected) << x << "," << y;
        }
    }
}

TEST_F(SdlWindow, ExposureShowsTheWholeFramebufferAgain) {
    FillScreen(screen, kSentinel);
    Push(WindowEventOf(window.NativeId(), SDL_WINDOWEVENT_EXPOSED));
    Drain();
    for (int32_t y = 0; y < 60; ++y)
        for (int32_t x = 0; x < 80; ++x)
            ASSERT_EQ(ScreenPixel(screen, x, y), PatternOnScreen(x, y)) << x << "," << y;
}

TEST_F(SdlWindow, ClosingTheWindowDestroysTheNativeOne) {
    const NativeWindowId id = window.NativeId();
    window.Hide();
    EXPECT_EQ(SDL_GetWindowFromID(id), nullptr);
}

using SdlBorderless = SdlFixture;

TEST_F(SdlBorderless, BorderlessTranslucentWindowWithIcon) {
    Window window(system, nullptr, Rect::FromSize(50, 40, 30, 20));
    window.SetBordered(false);
    window.SetOpacity(128);
    auto icon = std::make_shared<Image>();
    icon->width = 2;
    icon->height = 2;
    icon->pixels = {0xFF0000FF, 0xFF00FF00, 0xFFFF0000, 0x00000000};
    window.SetIcon(icon);
    window.Show();
    SDL_Window* sdlWindow = SDL_GetWindowFromID(window.NativeId());
    ASSERT_NE(sdlWindow, nullptr);
    EXPECT_TRUE(SDL_GetWindowFlags(sdlWindow) & SDL_WINDOW_BORDERLESS);
    float opacity = 0;
    ASSERT_EQ(SDL_GetWindowOpacity(sdlWindow, &opacity), 0);
    EXPECT_FLOAT_EQ(opacity, 128.0f / 255.0f);
    window.SetOpacity(255);
    ASSERT_EQ(SDL_GetWindowOpacity(sdlWindow, &opacity), 0);
    EXPECT_FLOAT_EQ(opacity, 1.0f);
}

PointerImage Picture(uint32_t colour, int32_t hotX, int32_t hotY) {
    PointerImage p;
    p.image.width = 4;
    p.image.height = 4;
    p.image.pixels.assign(16, colour);
    p.hotSpotX = hotX;
    p.hotSpotY = hotY;
    return p;
}

TEST_F(SdlFixture, ColourPointersAreMadeOncePerPictureAndTheArrowComesBack) {
    const PointerImage first = Picture(0xFF0000FF, 1, 2);
    backend.SetPointer(&first);
    SDL_Cursor* const made = SDL_GetCursor();
    EXPECT_NE(made, SDL_GetDefaultCursor());

    const PointerImage equal = first;  // another object with the same picture
    backend.SetPointer(&equal);
    EXPECT_EQ(SDL_GetCursor(), made);

    const PointerImage movedHotSpot = Picture(0xFF0000FF, 2, 2);
    backend.SetPointer(&movedHotSpot);
    EXPECT_NE(SDL_GetCursor(), SDL_GetDefaultCursor());
    SDL_Cursor* const second = SDL_GetCursor();
    const PointerImage otherColour = Picture(0xFF00FF00, 2, 2);
    backend.SetPointer(&otherColour);
    EXPECT_NE(SDL_GetCursor(), second);
    EXPECT_NE(SDL_GetCursor(), SDL_GetDefaultCursor());

    backend.SetPointer(nullptr);
    EXPECT_EQ(SDL_GetCursor(), SDL_GetDefaultCursor());
}

TEST_F(SdlFixture, ClipboardRoundTrip) {
    for (const std::string text : {"1234,5", "\xE2\x82\xAC 0,25\nsecond line", ""}) {
        backend.SetClipboardText(text);
        EXPECT_EQ(backend.ClipboardText(), text);
    }
}

TEST_F(SdlFixture, ScreenSizeIsTheDisplays) {
    EXPECT_EQ(backend.ScreenSize(), (Size{1024, 768}));
}

/// Sets environment variables for its lifetime.
class ScopedEnvironment {
  public:
    void Set(const char* name, const char* value) {
        const char* old = std::getenv(name);
        saved_.push_back({name, old ? std::optional<std::string>(old) : std::nullopt});
        setenv(name, value, 1);
    }
    ~ScopedEnvironment() {
        for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) {
            if (it->second) {
                setenv(it->first.c_str(), it->second->c_str(), 1);
            } else {
                unsetenv(it->first.c_str());
            }
        }
    }

  private:
    std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

TEST(SdlBackendStart, WithoutADisplayThrowsSdlsReason) {
    struct Case {
        const char* driver;
        const char* display;
    };
    for (const Case c : {Case{"nonexistent", nullptr}, Case{"x11", ":97531"}}) {
        SCOPED_TRACE(c.driver);
        ScopedEnvironment env;
        env.Set("SDL_VIDEODRIVER", c.driver);
        if (c.display) env.Set("DISPLAY", c.display);
        try {
            SdlBackend backend;
            ADD_FAILURE() << "the backend opened a display";
        } catch (const std::runtime_error& e) {
            const std::string message = e.what();
            const std::string prefix = "cannot open the display: ";
            ASSERT_EQ(message.rfind(prefix, 0), 0u) << message;
            EXPECT_GT(message.size(), prefix.size()) << message;
        }
    }
    // The display is still there for a backend started normally afterwards.
    EXPECT_NO_THROW(SdlBackend());
}

}  // namespace
}  // namespace platform
