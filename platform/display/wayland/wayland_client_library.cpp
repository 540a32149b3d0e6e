#include <dlfcn.h>

#include <optional>

#include "platform/display/wayland/wayland_client_library.h"

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

std::optional<WaylandClientFunctions> Load() {
    void* client = dlopen("libwayland-client.so.0", RTLD_NOW | RTLD_LOCAL);
    void* cursor = client ? dlopen("libwayland-cursor.so.0", RTLD_NOW | RTLD_LOCAL) : nullptr;
    WaylandClientFunctions functions;
    bool all = cursor != nullptr;
#define TAVIK_WAYLAND_FIND(library, name)                                               \
    functions.name =                                                                    \
        library ? reinterpret_cast<decltype(&::name)>(dlsym(library, #name)) : nullptr; \
    all = all && functions.name;
#define TAVIK_WAYLAND_FIND_CLIENT(name) TAVIK_WAYLAND_FIND(client, name)
#define TAVIK_WAYLAND_FIND_CURSOR(name) TAVIK_WAYLAND_FIND(cursor, name)
    TAVIK_WAYLAND_CLIENT_FUNCTIONS(TAVIK_WAYLAND_FIND_CLIENT)
    TAVIK_WAYLAND_CURSOR_FUNCTIONS(TAVIK_WAYLAND_FIND_CURSOR)
#undef TAVIK_WAYLAND_FIND_CURSOR
#undef TAVIK_WAYLAND_FIND_CLIENT
#undef TAVIK_WAYLAND_FIND
    if (all) return functions;
    if (cursor) dlclose(cursor);
    if (client) dlclose(client);
    return std::nullopt;
}

const std::optional<WaylandClientFunctions>& Loaded() {
    static const std::optional<WaylandClientFunctions> functions = Load();
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
