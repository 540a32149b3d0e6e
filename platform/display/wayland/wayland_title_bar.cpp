#include "platform/display/wayland/wayland_title_bar.h"

#include <wayland-client.h>

#include <utility>

#include "platform/display/wayland/wayland_window.h"

namespace platform {

WaylandTitleBar::WaylandTitleBar(const WaylandWindowContext& context, wl_surface* window,
                                 int32_t width, std::string title)
    : context_(context),
      surface_(wl_compositor_create_surface(context.compositor)),
      subsurface_(wl_subcompositor_get_subsurface(context.subcompositor, surface_.Get(), window)),
      title_(std::move(title)),
      picture_(width, kTitleBarHeight, 0,
               {DeviceScale::FromPer120(int64_t{context.scale} * DeviceScale::kUnit), {}}) {
    // Above the client area; the position takes effect with the window's next commit.
    wl_subsurface_set_position(subsurface_.Get(), 0, -kTitleBarHeight);
    wl_subsurface_set_desync(subsurface_.Get());
    wl_surface_set_buffer_scale(surface_.Get(), context_.scale);
    Show();
}

void WaylandTitleBar::SetLook(const TitleBarLook& look) {
    if (look == look_) return;
    look_ = look;
    Show();
}

void WaylandTitleBar::Show() {
    DrawTitleBar(picture_, title_, look_);
    if (!buffer_ || buffer_->Busy())
        buffer_ = std::make_unique<ShmBuffer>(context_.shm, picture_.DeviceWidth(),
                                              picture_.DeviceHeight(), context_.opaqueFormat);
    CopyOpaque(picture_, picture_.DeviceBounds(), context_.order, buffer_->Pixels(),
               buffer_->Pitch());
    wl_surface_attach(surface_.Get(), buffer_->Buffer(), 0, 0);
    wl_surface_damage_buffer(surface_.Get(), 0, 0, buffer_->Width(), buffer_->Height());
    wl_surface_commit(surface_.Get());
    buffer_->Attached();
}

}  // namespace platform
