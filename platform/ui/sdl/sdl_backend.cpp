#include "platform/ui/sdl/sdl_backend.h"

#include <SDL.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <map>
#include <stdexcept>
#include <vector>

#include "platform/ui/keys.h"
#include "platform/ui/sdl/sdl_keys.h"
#include "platform/ui/sdl/swap_red_blue.h"
#include "platform/ui/sdl/x11_errors.h"
#include "platform/ui/window_system.h"

namespace platform {
namespace {

struct WindowDeleter {
    void operator()(SDL_Window* window) const { SDL_DestroyWindow(window); }
};
struct SurfaceDeleter {
    void operator()(SDL_Surface* surface) const { SDL_FreeSurface(surface); }
};
struct CursorDeleter {
    void operator()(SDL_Cursor* cursor) const { SDL_FreeCursor(cursor); }
};
struct SdlFree {
    void operator()(char* text) const { SDL_free(text); }
};
using WindowPtr = std::unique_ptr<SDL_Window, WindowDeleter>;
using SurfacePtr = std::unique_ptr<SDL_Surface, SurfaceDeleter>;
using CursorPtr = std::unique_ptr<SDL_Cursor, CursorDeleter>;
using SdlText = std::unique_ptr<char, SdlFree>;

std::runtime_error SdlError(const char* what) {
    return std::runtime_error(std::string(what) + ": " + SDL_GetError());
}

/// SDL's video subsystem (with its event queue) from start-up to shutdown.
class VideoSubsystem {
  public:
    VideoSubsystem() {
        // Without this, asking for a window surface makes SDL probe OpenGL, which loads a
        // whole GPU driver stack for nothing: the surface is filled by the CPU.
        SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
        // Closing the last window is a close request like any other (its handler may refuse);
        // SDL_QUIT then only means that a signal or the desktop logging out ends the program.
        SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
        // A calculator has no reason to keep the screen saver away.
        SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) throw SdlError("cannot open the display");
        if (std::strcmp(SDL_GetCurrentVideoDriver(), "x11") == 0) KeepXErrorsFromEndingTheProgram();
    }
    ~VideoSubsystem() {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        SDL_Quit();
    }
    VideoSubsystem(const VideoSubsystem&) = delete;
    VideoSubsystem& operator=(const VideoSubsystem&) = delete;
};

/// An SDL surface over the pixels of `image` (0xAABBGGRR words), which must outlive it. SDL
/// only reads these pixels (window icons and cursors copy them), hence the const_cast.
SurfacePtr ImageSurface(const Image& image) {
    return SurfacePtr(SDL_CreateRGBSurfaceFrom(const_cast<uint32_t*>(image.pixels.data()),
                                               image.width, image.height, 32, image.width * 4,
                                               0x000000FF, 0x0000FF00, 0x00FF0000, 0xFF000000));
}

/// Writes the pixels of `area` into a window surface of any format through SDL_MapRGB; the
/// slow path for displays that are not 32-bit 0x00RRGGBB.
void CopyMapped(const Surface& framebuffer, const Rect& area, SDL_Surface& screen) {
    const int bytes = screen.format->BytesPerPixel;
    for (int32_t y = area.top; y < area.bottom; ++y) {
        const Color* from = framebuffer.Row(y);
        uint8_t* row =
            static_cast<uint8_t*>(screen.pixels) + static_cast<ptrdiff_t>(y) * screen.pitch;
        for (int32_t x = area.left; x < area.right; ++x) {
            const Color c = from[x];
            const Uint32 value =
                SDL_MapRGB(screen.format, c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
            uint8_t* p = row + static_cast<ptrdiff_t>(x) * bytes;
            if (bytes == 1) {
                *p = static_cast<uint8_t>(value);
            } else if (bytes == 2) {
                const auto v16 = static_cast<uint16_t>(value);
                std::memcpy(p, &v16, 2);
            } else if (bytes == 4) {
                std::memcpy(p, &value, 4);
            } else {
                // Three bytes per pixel are stored in the machine's byte order.
                for (int i = 0; i < 3; ++i) {
                    const int shift = SDL_BYTEORDER == SDL_LIL_ENDIAN ? 8 * i : 8 * (2 - i);
                    p[i] = static_cast<uint8_t>(value >> shift);
                }
            }
        }
    }
}

/// The code points of UTF-8 text; none when SDL cannot convert it.
std::vector<int32_t> CodePoints(const char* utf8) {
    const char* const utf32 = SDL_BYTEORDER == SDL_LIL_ENDIAN ? "UTF-32LE" : "UTF-32BE";
    const size_t bytes = SDL_strlen(utf8);
    const SdlText converted(SDL_iconv_string(utf32, "UTF-8", utf8, bytes + 1));
    std::vector<int32_t> result;
    if (!converted) return result;
    // The converted text ends with the code point 0 made from the terminating byte.
    for (const char* p = converted.get();; p += 4) {
        int32_t c;
        std::memcpy(&c, p, 4);
        if (c == 0) break;
        result.push_back(c);
    }
    return result;
}

int32_t ButtonBit(Uint8 sdlButton) {
    switch (sdlButton) {
        case SDL_BUTTON_LEFT:
            return kButtonLeft;
        case SDL_BUTTON_RIGHT:
            return kButtonRight;
        case SDL_BUTTON_MIDDLE:
            return kButtonMiddle;
        default:
            return 0;
    }
}

}  // namespace

struct SdlBackend::State {
    VideoSubsystem video;
    WindowSystem* system = nullptr;
    std::map<NativeWindowId, WindowPtr> windows;
    // The colour pointer being shown (none while the arrow is), and the picture it was made
    // from, so that setting an equal picture again keeps it.
    CursorPtr cursor;
    PointerImage cursorPicture;

    SDL_Window* Find(NativeWindowId id) const {
        const auto it = windows.find(id);
        return it == windows.end() ? nullptr : it->second.get();
    }

    /// The window system's top-level window shown in native window `id`, or null.
    Window* TopLevelOf(NativeWindowId id) const {
        if (!system || id == 0) return nullptr;
        for (Window* w : system->TopLevels())
            if (w->NativeId() == id) return w;
        return nullptr;
    }

    void Deliver(const SDL_Event& event, SdlBackend& backend);
    void MovePointer(Uint32 windowId, int32_t x, int32_t y);
    void KeyDown(const SDL_KeyboardEvent& key);
    void WindowEvent(const SDL_WindowEvent& event, SdlBackend& backend);
    void CloseAll();
};

SdlBackend::SdlBackend() : state_(std::make_unique<State>()) {}

SdlBackend::~SdlBackend() = default;

void SdlBackend::Attach(WindowSystem& system) {
    state_->system = &system;
}

NativeWindowId SdlBackend::CreateNativeWindow(const NativeWindowDesc& desc) {
    const Uint32 flags = SDL_WINDOW_HIDDEN | (desc.bordered ? 0 : SDL_WINDOW_BORDERLESS);
    WindowPtr window(SDL_CreateWindow(desc.title.c_str(), desc.position.x, desc.position.y,
                                      desc.clientSize.width, desc.clientSize.height, flags));
    if (!window) throw SdlError("cannot create a window");
    if (desc.icon) {
        if (const SurfacePtr icon = ImageSurface(*desc.icon))
            SDL_SetWindowIcon(window.get(), icon.get());
    }
    // Set before the window is mapped, so it never appears at the wrong opacity. A display
    // without a compositor cannot blend windows; the window then stays opaque.
    SDL_SetWindowOpacity(window.get(), static_cast<float>(desc.opacity) / 255.0f);
    SDL_ShowWindow(window.get());
    const NativeWindowId id = SDL_GetWindowID(window.get());
    state_->windows.emplace(id, std::move(window));
    return id;
}

void SdlBackend::DestroyNativeWindow(NativeWindowId id) {
    state_->windows.erase(id);
}

void SdlBackend::SetOpacity(NativeWindowId id, uint8_t opacity) {
    // A display without a compositor cannot blend windows; the window then stays opaque.
    if (SDL_Window* window = state_->Find(id))
        SDL_SetWindowOpacity(window, static_cast<float>(opacity) / 255.0f);
}

void SdlBackend::Present(NativeWindowId id, const Surface& framebuffer, const Rect& changed) {
    SDL_Window* window = state_->Find(id);
    if (!window) return;
    SDL_Surface* screen = SDL_GetWindowSurface(window);
    if (!screen) return;
    const Rect area =
        changed.Intersect(framebuffer.Bounds()).Intersect({0, 0, screen->w, screen->h});
    if (area.IsEmpty()) return;
    if (SDL_MUSTLOCK(screen) && SDL_LockSurface(screen) != 0) return;
    // A 24-bit X11 display gives 0x00RRGGBB surfaces: only red and blue change places.
    if (screen->format->format == SDL_PIXELFORMAT_XRGB8888) {
        CopySwappingRedBlue(framebuffer, area, static_cast<uint8_t*>(screen->pixels),
                            screen->pitch);
    } else {
        CopyMapped(framebuffer, area, *screen);
    }
    if (SDL_MUSTLOCK(screen)) SDL_UnlockSurface(screen);
    const SDL_Rect rect{area.left, area.top, area.Width(), area.Height()};
    SDL_UpdateWindowSurfaceRects(window, &rect, 1);
}

void SdlBackend::SetPointer(const PointerImage* pointer) {
    State& s = *state_;
    if (!pointer) {
        SDL_SetCursor(SDL_GetDefaultCursor());
        s.cursor.reset();
        return;
    }
    const bool same = s.cursor && pointer->image == s.cursorPicture.image &&
                      pointer->hotSpotX == s.cursorPicture.hotSpotX &&
                      pointer->hotSpotY == s.cursorPicture.hotSpotY;
    if (same) return;
    const SurfacePtr picture = ImageSurface(pointer->image);
    CursorPtr cursor(
        picture ? SDL_CreateColorCursor(picture.get(), pointer->hotSpotX, pointer->hotSpotY)
                : nullptr);
    if (!cursor) return;  // the pointer shown so far stays
    SDL_SetCursor(cursor.get());
    s.cursor = std::move(cursor);
    s.cursorPicture = *pointer;
}

Size SdlBackend::ScreenSize() const {
    SDL_Rect bounds{};
    if (SDL_GetDisplayBounds(0, &bounds) != 0) return {};
    return {bounds.w, bounds.h};
}

std::string SdlBackend::ClipboardText() const {
    const SdlText text(SDL_GetClipboardText());
    return text ? std::string(text.get()) : std::string();
}

void SdlBackend::SetClipboardText(const std::string& text) {
    SDL_SetClipboardText(text.c_str());
}

int64_t SdlBackend::NowMs() const {
    return static_cast<int64_t>(SDL_GetTicks64());
}

bool SdlBackend::WaitForEvents(int64_t deadlineMs) {
    SDL_Event event;
    if (deadlineMs == kNoDeadline) {
        if (SDL_WaitEvent(&event) == 0) return false;
    } else {
        const int64_t left = deadlineMs - NowMs();
        const int got = left > 0 ? SDL_WaitEventTimeout(
                                       &event, static_cast<int>(std::min<int64_t>(left, INT_MAX)))
                                 : SDL_PollEvent(&event);
        if (got == 0) return true;
    }
    state_->Deliver(event, *this);
    return true;
}

void SdlBackend::State::Deliver(const SDL_Event& event, SdlBackend& backend) {
    if (!system) return;
    switch (event.type) {
        case SDL_MOUSEMOTION:
            MovePointer(event.motion.windowID, event.motion.x, event.motion.y);
            break;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP: {
            const int32_t bit = ButtonBit(event.button.button);
            if (bit == 0) break;
            MovePointer(event.button.windowID, event.button.x, event.button.y);
            if (event.type == SDL_MOUSEBUTTONDOWN) {
                system->ButtonDown(bit);
            } else {
                system->ButtonUp(bit);
            }
            break;
        }
        case SDL_KEYDOWN:
            KeyDown(event.key);
            break;
        case SDL_KEYUP:
            if (const int32_t code = DesktopKeyCode(event.key.keysym.sym)) system->KeyUp(code);
            break;
        case SDL_TEXTINPUT:
            for (const int32_t c : CodePoints(event.text.text))
                system->Character(c);
            break;
        case SDL_WINDOWEVENT:
            WindowEvent(event.window, backend);
            break;
        case SDL_QUIT:
            CloseAll();
            break;
        default:
            break;
    }
}

void SdlBackend::State::MovePointer(Uint32 windowId, int32_t x, int32_t y) {
    const Window* top = TopLevelOf(windowId);
    if (!top) return;
    // A press or release where the pointer already is brings no move, as on the desktop.
    if (top->ClientToScreen({x, y}) == system->PointerPosition()) return;
    system->PointerMoveInWindow(top->Handle(), {x, y});
}

void SdlBackend::State::KeyDown(const SDL_KeyboardEvent& key) {
    // A held key arrives again with `repeat` set: each is one more KeyDown. Alt+F4 closes the
    // active window inside the window system, for displays whose window manager leaves it
    // to the program.
    const int32_t code = DesktopKeyCode(key.keysym.sym);
    if (code == 0) return;
    system->KeyDown(code);
    if (const int32_t c = ControlCharacter(code)) system->Character(c);
}

void SdlBackend::State::WindowEvent(const SDL_WindowEvent& event, SdlBackend& backend) {
    switch (event.event) {
        case SDL_WINDOWEVENT_EXPOSED:
        case SDL_WINDOWEVENT_SIZE_CHANGED:
            // The display lost the window's pixels (or the surface was made anew): show the
            // whole framebuffer again.
            if (const Window* top = TopLevelOf(event.windowID))
                backend.Present(event.windowID, top->Framebuffer(), top->Framebuffer().Bounds());
            break;
        case SDL_WINDOWEVENT_CLOSE:
            if (const Window* top = TopLevelOf(event.windowID)) system->CloseRequest(top->Handle());
            break;
        default:
            break;
    }
}

void SdlBackend::State::CloseAll() {
    // Each close handler may change the window list, so the handles are taken first.
    std::vector<WindowHandle> handles;
    for (const Window* w : system->TopLevels())
        handles.push_back(w->Handle());
    for (auto it = handles.rbegin(); it != handles.rend(); ++it)
        system->CloseRequest(*it);
}

}  // namespace platform
