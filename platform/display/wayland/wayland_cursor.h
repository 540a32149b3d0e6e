#pragma once

#include <cstdint>
#include <memory>
#include <optional>

#include "platform/display/wayland/shm_buffer.h"
#include "platform/display/wayland/wayland_owned.h"
#include "platform/ui/backend.h"

namespace platform {

/// The pointer picture over the program's windows: the cursor theme's arrow, or a picture of
/// the program's own, shown on a surface of its own at the whole buffer scale not below the
/// compositor's scale for the window the pointer is over, so that it is never blurred by
/// enlarging.
class WaylandCursor {
  public:
    WaylandCursor(wl_compositor* compositor, wl_shm* shm);
    WaylandCursor(const WaylandCursor&) = delete;
    WaylandCursor& operator=(const WaylandCursor&) = delete;

    /// The picture from now on; null for the arrow. Shown at once when the pointer is over one
    /// of the program's windows.
    void Set(const PointerImage* picture);
    /// The pointer entered one of the program's windows (`serial` of the enter event), which
    /// the compositor shows at `scale`: it shows the current picture there; over a window's
    /// title bar (`onTitleBar`), the arrow.
    void Entered(wl_pointer* pointer, uint32_t serial, bool onTitleBar, DeviceScale scale);
    /// The pointer left the program's windows.
    void Left() { pointer_ = nullptr; }

  private:
    void Show();
    void ShowArrow();
    void ShowPicture();

    wl_shm* shm_;
    int32_t scale_ = 1;  // the buffer scale
    WaylandOwned<wl_surface> surface_;
    wl_pointer* pointer_ = nullptr;
    uint32_t serial_ = 0;
    bool onTitleBar_ = false;
    WaylandOwned<wl_cursor_theme> theme_;
    // The program's own picture and its buffer, made when the picture changes.
    std::optional<PointerImage> picture_;
    std::unique_ptr<ShmBuffer> pictureBuffer_;
};

}  // namespace platform
