#include "platform/display/wayland/wayland_client_library.h"

#include "platform/os/shared_library.h"

namespace platform {
namespace {

// The names below are the libraries' functions, not the calls the header makes of them.
#undef wl_display_cancel_read
#undef wl_display_connect
#undef wl_display_disconnect
#undef wl_display_dispatch_pending
#undef wl_display_flush
#undef wl_display_get_fd
#undef wl_display_prepare_read
#undef wl_display_read_events
#undef wl_display_roundtrip
#undef wl_proxy_add_listener
#undef wl_proxy_destroy
#undef wl_proxy_get_user_data
#undef wl_proxy_get_version
#undef wl_proxy_marshal_flags
#undef wl_proxy_set_user_data
#undef wl_cursor_image_get_buffer
#undef wl_cursor_theme_destroy
#undef wl_cursor_theme_get_cursor
#undef wl_cursor_theme_load

// Fills in libwayland-cursor's entry points of `found`; false when it or one is missing.
bool FindCursorFunctions(WaylandClientFunctions& found) {
#define TAVIK_WAYLAND_FIND(name) entries.Find(functions.name, #name)&&
    const std::optional<WaylandClientFunctions> cursor = LoadEntryPoints<WaylandClientFunctions>(
        "libwayland-cursor.so.0",
        [](const LibraryEntries& entries, WaylandClientFunctions& functions) {
            return TAVIK_WAYLAND_CURSOR_FUNCTIONS(TAVIK_WAYLAND_FIND) true;
        });
    if (!cursor) return false;
#define TAVIK_WAYLAND_COPY(name) found.name = cursor->name;
    TAVIK_WAYLAND_CURSOR_FUNCTIONS(TAVIK_WAYLAND_COPY)
#undef TAVIK_WAYLAND_COPY
    return true;
}

// Both libraries, or nothing.
const std::optional<WaylandClientFunctions>& Loaded() {
    static const std::optional<WaylandClientFunctions> functions =
        LoadEntryPoints<WaylandClientFunctions>(
            "libwayland-client.so.0",
            [](const LibraryEntries& entries, WaylandClientFunctions& functions) {
                return TAVIK_WAYLAND_CLIENT_FUNCTIONS(TAVIK_WAYLAND_FIND)
                    FindCursorFunctions(functions);
            });
#undef TAVIK_WAYLAND_FIND
    return functions;
}

}  // namespace

bool LoadWaylandClient() {
    return Loaded().has_value();
}

const WaylandClientFunctions& WaylandClient() {
    return *Loaded();
}

}  // namespace platform
