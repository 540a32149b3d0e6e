#pragma once

#include <cstdint>
#include <functional>
#include <limits>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "platform/gfx/device_scale.h"
#include "platform/gfx/geometry.h"
#include "platform/gfx/surface.h"
#include "platform/image/image.h"
#include "platform/objects/appearance.h"

namespace platform {

class WindowSystem;

/// A pointer picture: an image with alpha and the pixel of it that marks the pointer position.
struct PointerImage {
    Image image;
    int32_t hotSpotX = 0;
    int32_t hotSpotY = 0;
};

/// Width and height in pixels.
struct Size {
    int32_t width = 0;
    int32_t height = 0;

    friend bool operator==(const Size&, const Size&) = default;
};

/// What a top-level window is to the desktop, which decides by it where the window stays in
/// the stacking order and whether task lists show it.
enum class WindowRole {
    Main,    // an application window, listed in task lists
    Dialog,  // a message box: kept above its owner
    Splash,  // a start-up picture: not listed
};

/// A backend's name for one of its native windows; 0 is never used.
using NativeWindowId = uint32_t;

/// Composes the device pixels `area` of a shown top-level window as it looks now, into a surface
/// that lies on the window's device pixels at its grid's origin (Surface::DeviceArea): the window
/// system gives one to each native window, and the display asks it for what it is about to
/// show. The surface holds at least `area` where that lies on the window; nothing once the
/// window is gone.
using FrameSource = std::function<Surface(const Rect& area)>;

/// What a backend needs to open the native window of a top-level window. `position` is the
/// top-left corner of the client area on the screen (already centred when the window asked
/// for it). Every window has a fixed size; a bordered one has a title bar with the window
/// menu and a close box, and nothing to minimise, maximise or resize it.
struct NativeWindowDesc {
    std::string title;
    /// The window's icon in each size it comes in (none when empty); read only during the call.
    std::span<const Image> icons;
    WindowRole role = WindowRole::Main;
    bool bordered = true;
    /// For an owned window, its owner's native window, which it is kept above; 0 when the
    /// owner is not on the screen, and the window then belongs to the program's windows as a
    /// whole. nullopt for a window that has no owner.
    std::optional<NativeWindowId> owner;
    /// Shown by a modal loop: its owner takes no input meanwhile.
    bool modal = false;
    Point position;
    /// In logical pixels; the client area is scale.Edge(width) × scale.Edge(height) device
    /// pixels.
    Size clientSize;
    /// The scale the window is shown at: the desktop's, times the window's zoom.
    DeviceScale scale;
    uint8_t opacity = 255;
    /// What the window shows, composed when the display asks for it.
    FrameSource pixels;
};

/// A deadline that never comes: WaitForEvents then waits for input alone.
constexpr int64_t kNoDeadline = std::numeric_limits<int64_t>::max();

/// What a participant of the wait waits for this time.
struct WaitInterest {
    int fd = -1;
    bool readable = false;
    bool writable = false;
    /// When the participant wants the wait over, on the event source's clock.
    int64_t deadlineMs = kNoDeadline;
};

/// A participant of the wait that decides before each wait what it waits for: a connection
/// that sometimes must write, or keeps timeouts of its own (a D-Bus connection).
class WaitParticipant {
  public:
    virtual ~WaitParticipant() = default;

    /// Asked before every wait.
    virtual WaitInterest Interest() = 0;
    /// Runs from inside WaitForEvents once its descriptor was ready or its deadline came.
    virtual void Ready() = 0;
};

/// The seam between the window system and a display is a backend playing four roles, each a
/// small interface of its own (as FLTK splits its drivers): DisplayWindows (native top-level
/// windows, presenting their pictures, the pointer's picture), DisplayScreen (work area, scale,
/// bell), DisplayClipboard, and EventSource (the clock and the input). Backend hands out the
/// four; a backend's folder makes them (platform/display/x11, platform/display/wayland: one
/// init file each, *_backend.cpp) and the chooser in platform/display/desktop picks the folder.
///
/// Time is read only through EventSource::NowMs(), so a backend with a virtual clock runs every
/// timer of the window system exactly on time. Input reaches the window system as calls made
/// from inside EventSource::WaitForEvents (WindowSystem::PointerMoveTo, ButtonDown, KeyDown,
/// ...). A backend whose display destroys a native window unasked tells the window system
/// through WindowSystem::NativeWindowLost, and one whose connection to the display is gone
/// through WindowSystem::DisplayLost.

/// The display's native top-level windows and what they show.
class DisplayWindows {
  public:
    virtual ~DisplayWindows() = default;

    /// Opens the native window of a top-level window, not yet on the screen: it goes there with
    /// its first Present, which is of the whole window, so that it never shows an incomplete
    /// picture.
    virtual NativeWindowId CreateNativeWindow(const NativeWindowDesc& desc) = 0;
    virtual void DestroyNativeWindow(NativeWindowId id) = 0;
    /// Whole-window opacity: 0 invisible, 255 opaque.
    virtual void SetOpacity(NativeWindowId id, uint8_t opacity) = 0;
    /// Raises the window above the program's others, brings it back if minimised and gives it
    /// the keyboard, as far as the desktop allows. `startupToken` names the launch of the
    /// program that asks for it (a startup notification id on X11, an activation token on
    /// Wayland); empty when the user asks from inside the program.
    virtual void Activate(NativeWindowId id, std::string_view startupToken) = 0;
    /// Shows the window at another scale from now on: its client area becomes
    /// scale.Edge(width) × scale.Edge(height) device pixels, about the same centre where the
    /// display lets a program place its windows. A Present of the whole window follows.
    virtual void SetScale(NativeWindowId id, DeviceScale scale) = 0;
    /// Shows the device pixels `changed` of the window's client area at the window's scale anew,
    /// taking them from the window's FrameSource now or when it next shows a picture.
    /// `changed` is never empty and lies inside the client area: the window system clips it
    /// (WindowSystem::Update). The display may show them only at the next Flush() or wait.
    virtual void Present(NativeWindowId id, const Rect& changed) = 0;
    /// Hands everything presented so far to the display now, without waiting for it.
    virtual void Flush() = 0;
    /// The pointer picture over every window from now on; null for the standard arrow.
    virtual void SetPointer(const PointerImage* pointer) = 0;
};

/// The screen the windows are on.
class DisplayScreen {
  public:
    virtual ~DisplayScreen() = default;

    /// Where windows may go, in logical screen pixels: the part of a monitor that the desktop's
    /// panels leave free. The monitor is the one that holds `near`, or without it the one that
    /// holds the pointer, else the primary one.
    virtual Rect WorkArea(std::optional<Point> near) const = 0;
    /// The scale the desktop asks windows to be shown at. Screen positions pass the seam in
    /// logical pixels of this scale; a window's client coordinates (sizes, input) in logical
    /// pixels of the window's own scale (NativeWindowDesc::scale). Only the backend knows
    /// device pixels, except in the pictures it presents. When the desktop's scale changes,
    /// or a window goes where another scale holds, the backend says so through
    /// WindowSystem::NativeScaleChanged.
    virtual DeviceScale Scale() const = 0;
    /// What the display's own settings say of the desktop's appearance; none when they say
    /// nothing. When it changes, the backend says so through WindowSystem::SetDesktopAppearance.
    virtual std::optional<Appearance> DesktopAppearance() const { return std::nullopt; }
    /// Rings the desktop's bell, the sound with which an edit refuses a key.
    virtual void Bell() = 0;
};

/// The desktop's clipboard, for text (UTF-8).
class DisplayClipboard {
  public:
    virtual ~DisplayClipboard() = default;

    /// Asks for the clipboard's text without waiting for it: `onText` runs once with the text
    /// when it comes, from inside EventSource::WaitForEvents, or with "" when the clipboard
    /// holds no text, its owner refuses it, sends more than kMaxClipboardText, has not sent it
    /// all within kClipboardTransferTime or goes away. The program's own text, and the answer
    /// "" when nothing owns the clipboard, need no other program: `onText` runs with them
    /// before the call returns. A request made while another waits is dropped (its `onText`
    /// never runs), so that a held paste key asks only once.
    virtual void RequestClipboardText(std::function<void(std::string text)> onText) = 0;
    virtual void SetClipboardText(const std::string& text) = 0;
    /// Makes `text` the primary selection, which a middle click pastes into other programs;
    /// where the desktop has none, nothing.
    virtual void SetPrimaryText(const std::string& text) = 0;
};

/// Where input comes from, and the clock it runs on.
class EventSource {
  public:
    virtual ~EventSource() = default;

    /// Called once by the WindowSystem that owns this source's input.
    virtual void Attach(WindowSystem& system) = 0;
    /// Milliseconds on the backend's clock; never decreases.
    virtual int64_t NowMs() const = 0;
    /// Waits also for `fd` to become readable or hang up, from now on: `onReadable` then runs
    /// from inside WaitForEvents, as input is delivered (and never outside it). A later watch
    /// of the same descriptor replaces this one.
    virtual void WatchDescriptor(int fd, std::function<void()> onReadable) = 0;
    /// Waits no more for `fd`; call it before the descriptor is closed.
    virtual void UnwatchDescriptor(int fd) = 0;
    /// Waits also for what `participant` asks, from now on; it must outlive its participation.
    virtual void AddParticipant(WaitParticipant& participant) = 0;
    virtual void RemoveParticipant(WaitParticipant& participant) = 0;
    /// Waits until input arrives, a watched descriptor is ready or NowMs() reaches
    /// `deadlineMs`, delivering any input as calls into the attached window system (and running
    /// the watches' handlers) before returning. Returns false when no input will ever come
    /// again (a finished script, a lost display); message loops then return.
    virtual bool WaitForEvents(int64_t deadlineMs) = 0;
};

/// A display backend: the roles it plays. Each accessor gives the same object every time, which
/// lives as long as the backend.
class Backend {
  public:
    virtual ~Backend() = default;

    virtual DisplayWindows& Windows() = 0;
    virtual DisplayScreen& Screen() = 0;
    virtual DisplayClipboard& Clipboard() = 0;
    virtual EventSource& Events() = 0;

    /// What controls ask of the display most, said shortly: Screen().Bell() and
    /// Clipboard().SetClipboardText().
    void Bell() { Screen().Bell(); }
    void SetClipboardText(const std::string& text) { Clipboard().SetClipboardText(text); }
};

}  // namespace platform
