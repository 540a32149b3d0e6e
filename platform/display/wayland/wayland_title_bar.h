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
/// client area, showing DrawTitleBar's picture at the windows' scale. The bar redraws itself
/// whenever its look changes.
class WaylandTitleBar {
  public:
    WaylandTitleBar(const WaylandWindowContext& context, wl_surface* window, int32_t width,
                    std::string title);
    WaylandTitleBar(const WaylandTitleBar&) = delete;
    WaylandTitleBar& operator=(const WaylandTitleBar&) = delete;

    wl_surface* WlSurface() const { return surface_.Get(); }
    void SetLook(const TitleBarLook& look);

  private:
    void Show();

    const WaylandWindowContext& context_;
    WaylandOwned<wl_surface> surface_;
    WaylandOwned<wl_subsurface> subsurface_;
    std::string title_;
    TitleBarLook look_;
    Surface picture_;
    std::unique_ptr<ShmBuffer> buffer_;
};

}  // namespace platform
