#include "platform/display/wayland/wayland_title_bar.h"

#include "platform/display/wayland/wayland_client_library.h"

#include <utility>

#include "platform/display/wayland/wayland_window.h"
#include "viewporter-client-protocol.h"

namespace platform {

WaylandTitleBar::WaylandTitleBar(const WaylandWindowContext& context, wl_surface* window,
                                 int32_t width, std::string title, DeviceScale scale,
                                 DeviceScale compositor)
    : context_(context),
      surface_(wl_compositor_create_surface(context.compositor)),
      subsurface_(wl_subcompositor_get_subsurface(context.subcompositor, surface_.Get(), window)),
      title_(std::move(title)),
      compositor_(compositor),
      picture_(width, kTitleBarHeight, 0, {scale, {}}) {
    if (context_.viewporter)
        viewport_.Reset(wp_viewporter_get_viewport(context_.viewporter, surface_.Get()));
    wl_subsurface_set_desync(subsurface_.Get());
    Show();
}

void WaylandTitleBar::SetLook(const TitleBarLook& look) {
    if (look == look_) return;
    look_ = look;
    Show();
}

void WaylandTitleBar::SetScale(DeviceScale scale, DeviceScale compositor) {
    if (scale == picture_.Scale() && compositor == compositor_) return;
    compositor_ = compositor;
    picture_.Resize(picture_.Width(), kTitleBarHeight, 0, {scale, {}});
    Show();
}

void WaylandTitleBar::Show() {
    DrawTitleBar(picture_, title_, look_);
    const Size device{picture_.DeviceWidth(), picture_.DeviceHeight()};
    const bool fits = buffer_ && buffer_->Width() == device.width &&
                      buffer_->Height() == device.height && !buffer_->Busy();
    if (!fits)
        buffer_ = std::make_unique<ShmBuffer>(context_.shm, device.width, device.height,
                                              context_.opaqueFormat);
    CopyOpaque(picture_, picture_.DeviceBounds(), context_.order, buffer_->Pixels(),
               buffer_->Pitch());
    const SurfaceScaling scaling = ScalingOf(device, compositor_, context_.viewportUse);
    gridHeight_ = scaling.size.height;
    // Above the client area; the position takes effect with the window's next commit.
    wl_subsurface_set_position(subsurface_.Get(), 0, -gridHeight_);
    wl_surface_set_buffer_scale(surface_.Get(), scaling.bufferScale);
    if (viewport_) {
        const Size to = scaling.destination.value_or(Size{-1, -1});  // -1: no destination
        wp_viewport_set_destination(viewport_.Get(), to.width, to.height);
    }
    wl_surface_attach(surface_.Get(), buffer_->Buffer(), 0, 0);
    wl_surface_damage_buffer(surface_.Get(), 0, 0, device.width, device.height);
    wl_surface_commit(surface_.Get());
    buffer_->Attached();
}

}  // namespace platform
