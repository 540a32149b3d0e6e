#include "platform/display/wayland/wayland_owned.h"

#include "platform/display/wayland/wayland_client_library.h"

#include "fractional-scale-v1-client-protocol.h"
#include "primary-selection-unstable-v1-client-protocol.h"
#include "viewporter-client-protocol.h"
#include "xdg-activation-v1-client-protocol.h"
#include "xdg-decoration-unstable-v1-client-protocol.h"
#include "xdg-shell-client-protocol.h"

namespace platform {
namespace {

/// A seat's device: given up with its release request where the seat's version has one.
template <typename Device>
void ReleaseDevice(Device* device, void (*release)(Device*), void (*destroy)(Device*)) {
    if (wl_proxy_get_version(reinterpret_cast<wl_proxy*>(device)) >=
        WL_POINTER_RELEASE_SINCE_VERSION) {
        release(device);
    } else {
        destroy(device);
    }
}

}  // namespace

void WaylandRelease::operator()(wl_buffer* object) const {
    wl_buffer_destroy(object);
}
void WaylandRelease::operator()(wl_callback* object) const {
    wl_callback_destroy(object);
}
void WaylandRelease::operator()(wl_compositor* object) const {
    wl_compositor_destroy(object);
}
void WaylandRelease::operator()(wl_cursor_theme* object) const {
    wl_cursor_theme_destroy(object);
}
void WaylandRelease::operator()(wl_data_device* object) const {
    wl_data_device_destroy(object);
}
void WaylandRelease::operator()(wl_data_device_manager* object) const {
    wl_data_device_manager_destroy(object);
}
void WaylandRelease::operator()(wl_data_offer* object) const {
    wl_data_offer_destroy(object);
}
void WaylandRelease::operator()(wl_data_source* object) const {
    wl_data_source_destroy(object);
}
void WaylandRelease::operator()(wl_display* object) const {
    wl_display_disconnect(object);
}
void WaylandRelease::operator()(wl_keyboard* object) const {
    ReleaseDevice(object, wl_keyboard_release, wl_keyboard_destroy);
}
void WaylandRelease::operator()(wl_output* object) const {
    wl_output_destroy(object);
}
void WaylandRelease::operator()(wl_pointer* object) const {
    ReleaseDevice(object, wl_pointer_release, wl_pointer_destroy);
}
void WaylandRelease::operator()(wl_registry* object) const {
    wl_registry_destroy(object);
}
void WaylandRelease::operator()(wl_seat* object) const {
    wl_seat_destroy(object);
}
void WaylandRelease::operator()(wl_shm* object) const {
    wl_shm_destroy(object);
}
void WaylandRelease::operator()(wl_shm_pool* object) const {
    wl_shm_pool_destroy(object);
}
void WaylandRelease::operator()(wl_subcompositor* object) const {
    wl_subcompositor_destroy(object);
}
void WaylandRelease::operator()(wl_subsurface* object) const {
    wl_subsurface_destroy(object);
}
void WaylandRelease::operator()(wl_surface* object) const {
    wl_surface_destroy(object);
}
void WaylandRelease::operator()(wp_fractional_scale_manager_v1* object) const {
    wp_fractional_scale_manager_v1_destroy(object);
}
void WaylandRelease::operator()(wp_fractional_scale_v1* object) const {
    wp_fractional_scale_v1_destroy(object);
}
void WaylandRelease::operator()(wp_viewport* object) const {
    wp_viewport_destroy(object);
}
void WaylandRelease::operator()(wp_viewporter* object) const {
    wp_viewporter_destroy(object);
}
void WaylandRelease::operator()(xdg_activation_v1* object) const {
    xdg_activation_v1_destroy(object);
}
void WaylandRelease::operator()(xdg_surface* object) const {
    xdg_surface_destroy(object);
}
void WaylandRelease::operator()(xdg_toplevel* object) const {
    xdg_toplevel_destroy(object);
}
void WaylandRelease::operator()(xdg_wm_base* object) const {
    xdg_wm_base_destroy(object);
}
void WaylandRelease::operator()(zxdg_decoration_manager_v1* object) const {
    zxdg_decoration_manager_v1_destroy(object);
}
void WaylandRelease::operator()(zxdg_toplevel_decoration_v1* object) const {
    zxdg_toplevel_decoration_v1_destroy(object);
}

void WaylandRelease::operator()(zwp_primary_selection_device_manager_v1* object) const {
    zwp_primary_selection_device_manager_v1_destroy(object);
}
void WaylandRelease::operator()(zwp_primary_selection_device_v1* object) const {
    zwp_primary_selection_device_v1_destroy(object);
}
void WaylandRelease::operator()(zwp_primary_selection_offer_v1* object) const {
    zwp_primary_selection_offer_v1_destroy(object);
}
void WaylandRelease::operator()(zwp_primary_selection_source_v1* object) const {
    zwp_primary_selection_source_v1_destroy(object);
}

}  // namespace platform
