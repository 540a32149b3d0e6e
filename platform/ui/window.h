#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/gfx/geometry.h"
#include "platform/gfx/region.h"
#include "platform/gfx/surface.h"
#include "platform/image/image.h"
#include "platform/ui/accessible.h"
#include "platform/ui/backend.h"
#include "platform/ui/keys.h"
#include "platform/ui/timer_queue.h"

namespace platform {

class WindowSystem;

/// What makes a top-level window's icon, in every size it comes in, each time the window is
/// shown: the images are needed only while the display takes them.
using IconImages = std::function<std::vector<Image>()>;

/// A window's name in the window system; 0 is no window. Handles are never reused, so a handle
/// kept after its window was destroyed finds nothing.
using WindowHandle = uint32_t;

/// Traces a window's shape on its device pixels: given the device size of its surface, the
/// device pixels the shape covers, for shapes with curves that should be as smooth as the
/// device allows.
using ShapeTracer = std::function<Region(int32_t deviceWidth, int32_t deviceHeight)>;

/// Which pointer a window shows: Default takes its parent's (the arrow at the top), Arrow the
/// standard arrow, Custom the window's own image.
enum class PointerKind { Default, Arrow, Custom };

/// Where a window's pixels come from: its drawing surface, which keeps them (Kept), or the
/// window's DrawArea, which draws them whenever a frame or a child's background needs them
/// (DrawnOnDemand). A window whose picture follows from a few values (a colour, a picture,
/// outlines and text) is drawn on demand, sparing a surface of its size, which at a desktop
/// scale of 2 holds four times its logical pixels.
enum class WindowPixels { Kept, DrawnOnDemand };

/// One window of the tree: a top-level window (no parent) or a child placed in its parent's
/// client area. The object is owned by whoever created it; constructing it registers it with
/// the window system and destroying it removes it, at any moment, even from inside one of its
/// own handlers: the window system finds windows by handle after every handler call and never
/// touches a destroyed one. A parent destroyed before its children leaves them detached: out
/// of the tree, drawn nowhere and given no input until they are destroyed too.
///
/// Every window keeps a persistent drawing surface of its client size, on its top-level
/// window's device pixels at its place there (made anew, with OnResize, when the scale changes
/// or a move at a scale that is not whole changes them). A top-level window that is hidden
/// gives its windows' pixels back; they are made anew the same way when it is shown again, and
/// until then the surfaces are empty. Code may draw into it at
/// any time and then call Invalidate() (the change reaches the screen when the message loop
/// next paints) or UpdateNow() (at once); or a window overrides Paint(), which the window
/// system calls for an invalidated window before composing it. A window drawn on demand keeps
/// no pixels: its surface stays empty, and Invalidate() has it drawn again.
class Window {
  public:
    /// A window with the given bounds: parent client coordinates for a child, screen
    /// coordinates of the client area for a top-level window. Windows start hidden.
    Window(WindowSystem& system, Window* parent, Rect bounds,
           WindowPixels pixels = WindowPixels::Kept);
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    WindowHandle Handle() const { return handle_; }
    WindowSystem& System() const { return system_; }
    Window* Parent() const { return parent_; }
    bool IsTopLevel() const { return parent_ == nullptr && !detached_; }
    /// The top-level window this one belongs to; null for a detached window.
    Window* TopLevel();
    const Window* TopLevel() const;
    /// Children from the bottom of the z-order to the top.
    const std::vector<Window*>& Children() const { return children_; }

    // Geometry.
    Rect Bounds() const { return bounds_; }
    void SetBounds(Rect bounds);
    int32_t ClientWidth() const { return bounds_.Width(); }
    int32_t ClientHeight() const { return bounds_.Height(); }
    Point ClientToScreen(Point client) const;
    Point ScreenToClient(Point screen) const;

    // State.
    bool IsVisible() const { return visible_; }
    /// Visible and every ancestor visible (for a top-level: visible).
    bool IsShown() const;
    void Show();
    void Hide();
    bool IsEnabled() const { return enabled_; }
    /// Enabled and every ancestor enabled: only such a window receives input.
    bool IsEffectivelyEnabled() const;
    void SetEnabled(bool enabled);
    /// Moves the window to the top of its siblings (or of the top-level windows).
    void Raise();

    /// The window's shape in its client coordinates: it clips what the window shows and limits
    /// its hit testing. A new shape replaces the old one; nullopt removes it. What it clips on
    /// the device pixels is `traced` at their resolution when given, else the device pixels of
    /// the shape's pixels.
    void SetShape(std::optional<Region> shape, ShapeTracer traced = nullptr);
    const std::optional<Region>& Shape() const { return shape_; }
    /// The shape's device pixels, from the surface's top-left device pixel.
    const std::optional<Region>& DeviceShape() const { return deviceShape_; }

    void SetPointer(PointerKind kind, std::shared_ptr<const PointerImage> image = nullptr);
    PointerKind Pointer() const { return pointerKind_; }
    const std::shared_ptr<const PointerImage>& PointerPicture() const { return pointerImage_; }

    // Keyboard.
    int32_t TabIndex() const { return tabIndex_; }
    void SetTabIndex(int32_t index) { tabIndex_ = index; }
    bool IsFocusable() const { return focusable_; }
    void SetFocusable(bool focusable) { focusable_ = focusable; }
    /// Whether the window uses typed characters itself; when it has the focus and does not,
    /// a character alone (without Alt) activates the access key registered for it.
    bool TakesCharacters() const { return takesCharacters_; }
    void SetTakesCharacters(bool takes) { takesCharacters_ = takes; }
    /// Whether a second left press soon after a click on this window arrives as OnDoubleClick
    /// (the default); when not, it is one more OnMouseDown, and its release one more OnClick.
    bool TakesDoubleClicks() const { return takesDoubleClicks_; }
    void SetTakesDoubleClicks(bool takes) { takesDoubleClicks_ = takes; }
    /// The characters that activate this window through OnAccessKey, matched without regard to
    /// letter case.
    const std::string& AccessKeys() const { return accessKeys_; }
    void SetAccessKeys(std::string keys) { accessKeys_ = std::move(keys); }
    void Focus();
    bool HasFocus() const;
    /// Sends every pointer event to this window until ReleaseCapture or until the last
    /// mouse button is released.
    void SetCapture();

    // Painting.
    Surface& DrawingSurface() { return surface_; }
    const Surface& DrawingSurface() const { return surface_; }
    bool IsDrawnOnDemand() const { return pixels_ == WindowPixels::DrawnOnDemand; }
    /// Draws a window drawn on demand into the device pixels `device` of `into`, and no other:
    /// client point p lies at logical point p + `origin` of `into`, on the same device pixels as
    /// in the window's top-level window. `into` has no clip, before and after.
    void DrawInto(Surface& into, Point origin, const Region& device) const;
    /// Puts the window's own pixels (not its children's) at `area` of its client area at the
    /// origin of `into`, which lies on the same device pixels: copied from its surface, or drawn
    /// when the window is drawn on demand.
    void CopyOwnPixels(const Rect& area, Surface& into) const;
    /// Marks the whole window (or a rectangle of its client area) for painting: Paint() runs and
    /// the change is composed and presented when the message loop next paints.
    void Invalidate();
    void Invalidate(const Rect& rect);
    /// Paints, composes and presents everything pending in this window's top-level window now,
    /// and hands it to the display at once.
    void UpdateNow();

    // Timers on the backend clock; setting an existing id restarts it with the new interval
    // (and kind: TimerKind says when a pointer poll's ticks are held back).
    void SetTimer(int32_t id, int32_t intervalMs, TimerKind kind = TimerKind::Steady);
    void KillTimer(int32_t id);

    // Top-level windows.
    const std::string& Title() const { return title_; }
    void SetTitle(std::string title) { title_ = std::move(title); }
    void SetIcon(IconImages icon) { icon_ = std::move(icon); }
    bool IsBordered() const { return bordered_; }
    void SetBordered(bool bordered) { bordered_ = bordered; }
    WindowRole Role() const { return role_; }
    void SetRole(WindowRole role) { role_ = role; }
    /// The window this one belongs to, which the desktop keeps it above (none when null);
    /// read when the window is shown.
    Window* Owner() const;
    void SetOwner(const Window* owner) { owner_ = owner ? owner->handle_ : 0; }
    /// When set, showing the window first centres it: on its owner when the owner is on the
    /// screen, kept inside the owner's monitor; otherwise on the monitor that holds the pointer.
    void SetCentred(bool centred) { centred_ = centred; }
    uint8_t Opacity() const { return opacity_; }
    void SetOpacity(uint8_t opacity);
    /// Asks OnCloseRequest and hides the window when it agrees; true when closed.
    bool Close();
    /// The backend's window while a top-level window is shown; 0 otherwise.
    NativeWindowId NativeId() const { return native_; }
    /// The scale the window is shown at: its top-level window's desktop scale (the display's
    /// for where the window is) times its zoom, from 1 to 4.
    DeviceScale Scale() const;
    /// How much the user enlarges a top-level window beyond the desktop's scale, from 1 to 4.
    double Zoom() const { return zoom_; }
    /// Sets the zoom, held from 1 to 4; a shown window is shown at its new scale about the same
    /// centre, every window in it drawn anew.
    void SetZoom(double zoom);

    // Handlers, called by the window system. Mouse coordinates are client pixels.
    virtual void Paint(Surface&) {}
    /// What a window drawn on demand shows: draws at least the client pixels of `area` into
    /// `into`, client point p at logical point p + `origin`; `into` is clipped to the pixels
    /// asked for, which may be fewer.
    virtual void DrawArea(Surface& /*into*/, Point /*origin*/, const Rect& /*area*/) const {}
    virtual void OnMouseDown(int32_t /*button*/, int32_t /*shift*/, int32_t /*x*/, int32_t /*y*/) {}
    virtual void OnMouseMove(int32_t /*buttons*/, int32_t /*shift*/, int32_t /*x*/, int32_t /*y*/) {
    }
    virtual void OnMouseUp(int32_t /*button*/, int32_t /*shift*/, int32_t /*x*/, int32_t /*y*/) {}
    /// A left press and release over this window.
    virtual void OnClick() {}
    /// A second left press soon after the first, in place of its OnMouseDown.
    virtual void OnDoubleClick() {}
    virtual void OnKeyDown(int32_t& /*keyCode*/, int32_t /*shift*/) {}
    virtual void OnKeyPress(int32_t& /*charCode*/) {}
    virtual void OnKeyUp(int32_t& /*keyCode*/, int32_t /*shift*/) {}
    virtual void OnGotFocus() {}
    virtual void OnLostFocus() {}
    virtual void OnAccessKey() {}
    /// A top-level window's first look at a key going down (or repeating) while it is the
    /// active window, with the shift bits held, before its focused window hears of it. True
    /// takes the key: the focused window hears neither of it nor of its character, and its
    /// release comes to OnPreviewKeyUp.
    virtual bool OnPreviewKeyDown(const Keystroke& /*stroke*/, int32_t /*shift*/) { return false; }
    /// A key taken by OnPreviewKeyDown went up.
    virtual void OnPreviewKeyUp(uint32_t /*key*/) {}
    virtual void OnTimer(int32_t /*id*/) {}
    virtual bool OnCloseRequest() { return true; }
    /// The client size changed, or the drawing surface was made anew for another scale: the
    /// surface holds nothing drawn.
    virtual void OnResize() {}
    virtual void OnShow() {}
    virtual void OnHide() {}
    /// The desktop's appearance changed (WindowSystem::DesktopAppearance): the system colours
    /// may resolve to other colours now. Every window has been marked for painting anew.
    virtual void OnAppearanceChanged() {}

    // Accessibility: what the window is to a screen reader, asked whenever the accessible tree
    // is brought up to date, as Paint is asked for pixels. The window system adds the states
    // it keeps itself (showing, enabled, focusable, focused, active).
    /// The default says nothing: the window is left out, and its children take its place.
    virtual AccessibleDescription Describe() const { return {}; }
    /// The windowless parts the window paints itself, always in the same order (a part's place
    /// in the list is its name).
    virtual std::vector<AccessiblePart> DescribeParts() const { return {}; }
    /// A reader asks for one of the actions Describe (part -1) or DescribeParts (part >= 0)
    /// listed; it runs from the message loop, as input does.
    virtual void OnAccessibleAction(int32_t /*part*/, std::string_view /*action*/) {}

  private:
    friend class WindowSystem;

    // Brings DeviceShape up to date with the shape and the surface.
    void TraceShape();
    // Gives the surface the client size on `grid`, every pixel 0; a window drawn on demand
    // keeps its surface empty, on the grid alone.
    void SizeSurface(const SurfaceGrid& grid);

    WindowSystem& system_;
    WindowHandle handle_ = 0;
    Window* parent_ = nullptr;
    bool detached_ = false;
    std::vector<Window*> children_;

    Rect bounds_;
    bool visible_ = false;
    bool enabled_ = true;
    std::optional<Region> shape_;
    ShapeTracer shapeTracer_;
    std::optional<Region> deviceShape_;
    PointerKind pointerKind_ = PointerKind::Default;
    std::shared_ptr<const PointerImage> pointerImage_;

    int32_t tabIndex_ = 0;
    bool focusable_ = false;
    bool takesCharacters_ = false;
    bool takesDoubleClicks_ = true;
    std::string accessKeys_;

    WindowPixels pixels_;
    Surface surface_;
    bool needsPaint_ = false;

    std::string title_;
    IconImages icon_;
    bool bordered_ = true;
    WindowRole role_ = WindowRole::Main;
    WindowHandle owner_ = 0;
    bool centred_ = false;
    uint8_t opacity_ = 255;
    NativeWindowId native_ = 0;
    DeviceScale shownScale_;    // top-level windows: the scale the native window shows
    DeviceScale desktopScale_;  // top-level windows: the scale the display asks for
    double zoom_ = 1;
    std::vector<Rect> damage_;  // top-level windows: client rectangles to present anew
};

}  // namespace platform
