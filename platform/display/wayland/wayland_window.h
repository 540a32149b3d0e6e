#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/display/wayland/shm_buffer.h"
#include "platform/display/wayland/shm_pixels.h"
#include "platform/display/wayland/surface_scaling.h"
#include "platform/display/wayland/wayland_output.h"
#include "platform/display/wayland/wayland_owned.h"
#include "platform/display/wayland/wayland_title_bar.h"
#include "platform/gfx/geometry.h"
#include "platform/gfx/surface.h"
#include "platform/ui/backend.h"

struct wl_array;

namespace platform {

/// What every window of one connection shares: the compositor's objects, the pixel formats
/// chosen for its buffers, and how its surfaces are scaled.
struct WaylandWindowContext {
    wl_compositor* compositor = nullptr;
    wl_subcompositor* subcompositor = nullptr;
    wl_shm* shm = nullptr;
    xdg_wm_base* shell = nullptr;
    /// Null when the compositor offers no window frames: bordered windows then get the
    /// program's own title bar.
    zxdg_decoration_manager_v1* decorations = nullptr;
    /// The seat whose pointer moves windows by their title bars; null without one.
    wl_seat* seat = nullptr;
    /// The formats of opaque and of translucent buffers, and how both order their channels.
    uint32_t opaqueFormat = 0;
    uint32_t translucentFormat = 0;
    ShmChannelOrder order = ShmChannelOrder::BlueLowest;
    /// Null where the compositor has no viewporter.
    wp_viewporter* viewporter = nullptr;
    /// Null unless the compositor offers fractional scales and the viewporter both.
    wp_fractional_scale_manager_v1* fractionalScales = nullptr;
    ViewportUse viewportUse = ViewportUse::Never;
    /// The compositor's outputs, whose scales windows follow where there are no fractional
    /// scales.
    const std::vector<WaylandOutput>* outputs = nullptr;
    std::string appId;
};

/// One top-level window on a Wayland compositor: a surface shown as an xdg-shell toplevel and
/// its pixels in shared-memory buffers. A bordered window has a frame: the compositor's, where
/// it offers one (xdg-decoration), else the program's own title bar (WaylandTitleBar), which
/// moves the window, closes it with its close box and opens the compositor's window menu.
///
/// Presented pixels are collected until the compositor has shown the previous picture (its
/// frame callback), then copied into a buffer the compositor does not hold, and only the
/// changed rectangle is damaged. Each buffer remembers what changed since it was last shown,
/// so a buffer used again gets those pixels too.
///
/// Buffers hold the window's device pixels at its scale (the compositor's scale times the
/// user's zoom). The compositor's scale for the window is its preferred fractional scale where
/// it offers fractional scales, else the largest scale of the outputs the window is on; the
/// buffers are fitted to the compositor's grid by ScalingOf.
class WaylandWindow {
  public:
    /// `onClose` is called when the user asks to close it, `onScale` when the compositor asks
    /// for it to be shown at another scale. `owner` is the window it is kept above, or null.
    WaylandWindow(const WaylandWindowContext& context, const NativeWindowDesc& desc,
                  WaylandWindow* owner, std::function<void()> onClose,
                  std::function<void(DeviceScale)> onScale);
    WaylandWindow(const WaylandWindow&) = delete;
    WaylandWindow& operator=(const WaylandWindow&) = delete;

    wl_surface* WlSurface() const { return surface_.Get(); }
    /// The surface of the window's own title bar; null while it has none.
    wl_surface* TitleBarSurface() const;

    /// The scale the compositor shows the window's surfaces at.
    DeviceScale CompositorScale() const { return compositorScale_; }
    /// Without fractional scales, takes the largest scale of the outputs the window is on as
    /// the compositor's; called when it enters or leaves one, or an output's scale changed.
    void FollowOutputs();

    /// The pointer is over the title bar at device pixel `at` of the bar, or left it.
    void TitleBarPointer(Point at);
    void TitleBarPointerLeft();
    /// A mouse button (keys.h bit) went down or up over the title bar at device pixel `at` of
    /// the bar; `serial` is the compositor's for the event.
    void TitleBarButton(int32_t button, bool down, Point at, uint32_t serial);

    /// Shows `changed` (device pixels) once the compositor is ready for a picture.
    /// The window goes on the screen with the first, which the window system makes whole:
    /// until then it attaches no buffer.
    void Present(const Rect& changed);
    /// Shows the pixels presented so far if the compositor is ready for them (its previous
    /// picture shown, a buffer free); false when nothing was committed.
    bool Commit();
    /// The whole window from now on blended at `opacity`: its buffers are translucent below 255.
    void SetOpacity(uint8_t opacity);
    /// Shows the window at `scale` from the next picture on, which must be whole.
    void SetScale(DeviceScale scale);

  private:
    // The client area in device pixels.
    Rect DeviceBounds() const;
    // Every buffer needs the whole picture before it is shown again.
    void MarkBuffersStale();
    SurfaceScaling Scaling() const;
    /// Sends how the surface is scaled, its size limits, the window geometry and the title
    /// bar's scales, where they differ from what was sent; the window's take effect with its
    /// next commit.
    void ShowScaling();
    void SetGeometry();
    void CompositorScaleChanged(DeviceScale scale);

    struct Buffer {
        std::unique_ptr<ShmBuffer> shm;
        Rect stale;  // device pixels that changed since this buffer was last shown
    };

    static void OnFrameDone(void* data, wl_callback* callback, uint32_t time);
    static void OnShellConfigure(void* data, xdg_surface* surface, uint32_t serial);
    static void OnToplevelConfigure(void* data, xdg_toplevel* toplevel, int32_t width,
                                    int32_t height, wl_array* states);
    static void OnToplevelClose(void* data, xdg_toplevel* toplevel);
    static void OnDecorationConfigure(void* data, zxdg_toplevel_decoration_v1* decoration,
                                      uint32_t mode);
    static void OnPreferredScale(void* data, wp_fractional_scale_v1* fractional, uint32_t scale);
    static void OnEnter(void* data, wl_surface* surface, wl_output* output);
    static void OnLeave(void* data, wl_surface* surface, wl_output* output);
    /// Gives the window its own title bar, or takes it away; the window's geometry follows.
    void ShowTitleBar(bool shown);
    void Configured();
    Buffer* FreeBuffer();
    bool Translucent() const { return opacity_ < 255 || role_ == WindowRole::Splash; }

    const WaylandWindowContext& context_;
    FrameSource pixels_;
    std::function<void()> onClose_;
    std::function<void(DeviceScale)> onScale_;
    std::string title_;
    WindowRole role_;
    bool bordered_;
    Size size_;
    uint8_t opacity_;
    DeviceScale scale_;
    DeviceScale compositorScale_;
    std::vector<wl_output*> outputs_;  // the outputs the window is on
    std::optional<SurfaceScaling> shownScaling_;
    Rect geometry_;  // the window geometry sent last, on the compositor's grid
    // Given up in the reverse order: the frame callback, the title bar, the roles, the scaling,
    // the buffers, the surface.
    WaylandOwned<wl_surface> surface_;
    std::vector<Buffer> buffers_;
    WaylandOwned<wp_viewport> viewport_;
    WaylandOwned<wp_fractional_scale_v1> fractional_;
    WaylandOwned<xdg_surface> shellSurface_;
    WaylandOwned<xdg_toplevel> toplevel_;
    WaylandOwned<zxdg_toplevel_decoration_v1> decoration_;
    std::unique_ptr<WaylandTitleBar> titleBar_;
    bool active_ = false;
    bool closePressed_ = false;
    WaylandOwned<wl_callback> frameCallback_;
    bool configured_ = false;
    bool drawn_ = false;  // the window system has presented its first picture
    Rect pending_;
};

}  // namespace platform
