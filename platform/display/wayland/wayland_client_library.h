#pragma once

// libwayland-client and libwayland-cursor as the Wayland backend calls them: loaded (dlopen)
// when the backend first connects, never linked, so that a program on X11 maps none of them
// (with libffi, which they bring, about 140 kB resident). The core protocol's interfaces are
// built into the program from wayland.xml, as the other protocols' are.
//
// Include this header instead of <wayland-client.h>, before any protocol header: it names the
// libraries' functions as calls through the loaded entry points, which the protocols' inline
// requests then use too.
#include <wayland-client-core.h>
#include <wayland-cursor.h>

namespace platform {

// clang-format off
#define TAVIK_WAYLAND_CLIENT_FUNCTIONS(X) \
    X(wl_display_cancel_read) \
    X(wl_display_connect) \
    X(wl_display_disconnect) \
    X(wl_display_dispatch_pending) \
    X(wl_display_flush) \
    X(wl_display_get_fd) \
    X(wl_display_prepare_read) \
    X(wl_display_read_events) \
    X(wl_display_roundtrip) \
    X(wl_proxy_add_listener) \
    X(wl_proxy_destroy) \
    X(wl_proxy_get_user_data) \
    X(wl_proxy_get_version) \
    X(wl_proxy_marshal_flags) \
    X(wl_proxy_set_user_data)
#define TAVIK_WAYLAND_CURSOR_FUNCTIONS(X) \
    X(wl_cursor_image_get_buffer) \
    X(wl_cursor_theme_destroy) \
    X(wl_cursor_theme_get_cursor) \
    X(wl_cursor_theme_load)
// clang-format on

/// The entry points, under the functions' own names.
struct WaylandClientFunctions {
#define TAVIK_WAYLAND_MEMBER(name) decltype(&::name) name = nullptr;
    TAVIK_WAYLAND_CLIENT_FUNCTIONS(TAVIK_WAYLAND_MEMBER)
    TAVIK_WAYLAND_CURSOR_FUNCTIONS(TAVIK_WAYLAND_MEMBER)
#undef TAVIK_WAYLAND_MEMBER
};

/// Loads both libraries at the first call and keeps them; false when one of them or one of the
/// functions is not there. Nothing of the backend may be called before this has said true.
bool LoadWaylandClient();
/// The loaded entry points: only once LoadWaylandClient has said true.
const WaylandClientFunctions& WaylandClient();

}  // namespace platform

#define wl_display_cancel_read (platform::WaylandClient().wl_display_cancel_read)
#define wl_display_connect (platform::WaylandClient().wl_display_connect)
#define wl_display_disconnect (platform::WaylandClient().wl_display_disconnect)
#define wl_display_dispatch_pending (platform::WaylandClient().wl_display_dispatch_pending)
#define wl_display_flush (platform::WaylandClient().wl_display_flush)
#define wl_display_get_fd (platform::WaylandClient().wl_display_get_fd)
#define wl_display_prepare_read (platform::WaylandClient().wl_display_prepare_read)
#define wl_display_read_events (platform::WaylandClient().wl_display_read_events)
#define wl_display_roundtrip (platform::WaylandClient().wl_display_roundtrip)
#define wl_proxy_add_listener (platform::WaylandClient().wl_proxy_add_listener)
#define wl_proxy_destroy (platform::WaylandClient().wl_proxy_destroy)
#define wl_proxy_get_user_data (platform::WaylandClient().wl_proxy_get_user_data)
#define wl_proxy_get_version (platform::WaylandClient().wl_proxy_get_version)
#define wl_proxy_marshal_flags (platform::WaylandClient().wl_proxy_marshal_flags)
#define wl_proxy_set_user_data (platform::WaylandClient().wl_proxy_set_user_data)
#define wl_cursor_image_get_buffer (platform::WaylandClient().wl_cursor_image_get_buffer)
#define wl_cursor_theme_destroy (platform::WaylandClient().wl_cursor_theme_destroy)
#define wl_cursor_theme_get_cursor (platform::WaylandClient().wl_cursor_theme_get_cursor)
#define wl_cursor_theme_load (platform::WaylandClient().wl_cursor_theme_load)

#include <wayland-client-protocol.h>
