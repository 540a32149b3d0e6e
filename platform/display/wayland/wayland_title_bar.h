#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/display/wayland/shm_buffer.h"
#include "platform/display/wayland/title_bar.h"
#include "platform/display/wayland/wayland_owned.h"
#include "platform/gfx/surface.h"

namespace platform {

struct WaylandWindowContext;

/// A window's title bar on the screen: a subsurface of the window's surface, just above its
/// client area, showing DrawTitleBar's picture at the window's scale, fitted to the
/// compositor's grid as the window is. The bar redraws itself whenever its look or its scales
/// change.
class WaylandTitleBar {
  public:
    /// `scale` is the window's, `compositor` the compositor's scale for the window.
    WaylandTitleBar(const WaylandWindowContext& context, wl_surface* window, int32_t width,
                    std::string title, DeviceScale scale, DeviceScale compositor);
    WaylandTitleBar(const WaylandTitleBar&) = delete;
    WaylandTitleBar& operator=(const WaylandTitleBar&) = delete;

    wl_surface* WlSurface() const { return surface_.Get(); }
    /// The bar's height on the compositor's grid.
    int32_t GridHeight() const { return gridHeight_; }
    void SetLook(const TitleBarLook& look);
    void SetScale(DeviceScale scale, DeviceScale compositor);

  private:
    void Show();

    const WaylandWindowContext& context_;
    WaylandOwned<wl_surface> surface_;
    WaylandOwned<wl_subsurface> subsurface_;
    WaylandOwned<wp_viewport> viewport_;
    std::string title_;
    TitleBarLook look_;
    DeviceScale compositor_;
    int32_t gridHeight_ = 0;
    Surface picture_;
    std::unique_ptr<ShmBuffer> buffer_;
};

}  // namespace platform
