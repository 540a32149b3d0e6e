#pragma once

#include "platform/os/owned.h"

struct wl_buffer;
struct wl_callback;
struct wl_compositor;
struct wl_cursor_theme;
struct wl_data_device;
struct wl_data_device_manager;
struct wl_data_offer;
struct wl_data_source;
struct wl_display;
struct wl_keyboard;
struct wl_output;
struct wl_pointer;
struct wl_registry;
struct wl_seat;
struct wl_shm;
struct wl_shm_pool;
struct wl_subcompositor;
struct wl_subsurface;
struct wl_surface;
struct wp_fractional_scale_manager_v1;
struct wp_fractional_scale_v1;
struct wp_viewport;
struct wp_viewporter;
struct xdg_activation_v1;
struct xdg_surface;
struct xdg_toplevel;
struct xdg_wm_base;
struct zxdg_decoration_manager_v1;
struct zxdg_toplevel_decoration_v1;
struct zwp_primary_selection_device_manager_v1;
struct zwp_primary_selection_device_v1;
struct zwp_primary_selection_offer_v1;
struct zwp_primary_selection_source_v1;

namespace platform {

/// Gives up a Wayland object the way its interface does: its destroy request, a seat's device
/// released where the seat's version can, the display disconnected. Defined where the
/// protocols' headers are seen, so that holders need only these declarations.
struct WaylandRelease {
    void operator()(wl_buffer* object) const;
    void operator()(wl_callback* object) const;
    void operator()(wl_compositor* object) const;
    void operator()(wl_cursor_theme* object) const;
    void operator()(wl_data_device* object) const;
    void operator()(wl_data_device_manager* object) const;
    void operator()(wl_data_offer* object) const;
    void operator()(wl_data_source* object) const;
    void operator()(wl_display* object) const;
    void operator()(wl_keyboard* object) const;
    void operator()(wl_output* object) const;
    void operator()(wl_pointer* object) const;
    void operator()(wl_registry* object) const;
    void operator()(wl_seat* object) const;
    void operator()(wl_shm* object) const;
    void operator()(wl_shm_pool* object) const;
    void operator()(wl_subcompositor* object) const;
    void operator()(wl_subsurface* object) const;
    void operator()(wl_surface* object) const;
    void operator()(wp_fractional_scale_manager_v1* object) const;
    void operator()(wp_fractional_scale_v1* object) const;
    void operator()(wp_viewport* object) const;
    void operator()(wp_viewporter* object) const;
    void operator()(xdg_activation_v1* object) const;
    void operator()(xdg_surface* object) const;
    void operator()(xdg_toplevel* object) const;
    void operator()(xdg_wm_base* object) const;
    void operator()(zxdg_decoration_manager_v1* object) const;
    void operator()(zxdg_toplevel_decoration_v1* object) const;
    void operator()(zwp_primary_selection_device_manager_v1* object) const;
    void operator()(zwp_primary_selection_device_v1* object) const;
    void operator()(zwp_primary_selection_offer_v1* object) const;
    void operator()(zwp_primary_selection_source_v1* object) const;
};

/// A Wayland object, given up when its holder goes.
template <typename T>
using WaylandOwned = Owned<T*, WaylandRelease{}>;

}  // namespace platform
