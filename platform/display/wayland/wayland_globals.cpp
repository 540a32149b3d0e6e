#include "platform/display/wayland/wayland_globals.h"

#include <algorithm>
#include <cstdlib>
#include <stdexcept>
#include <string_view>
#include <utility>

// The Wayland headers come after ours, like every platform header.
#include "platform/display/wayland/wayland_client_library.h"

#include "fractional-scale-v1-client-protocol.h"
#include "primary-selection-unstable-v1-client-protocol.h"
#include "viewporter-client-protocol.h"
#include "xdg-activation-v1-client-protocol.h"
#include "xdg-decoration-unstable-v1-client-protocol.h"
#include "xdg-shell-client-protocol.h"

namespace platform {

namespace {

// The client libraries are loaded before the first call into them.
wl_display* Connect() {
    if (!LoadWaylandClient())
        throw std::runtime_error(
            "cannot load the Wayland client libraries (libwayland-client.so.0, "
            "libwayland-cursor.so.0)");
    return wl_display_connect(nullptr);
}

}  // namespace

WaylandGlobals::WaylandGlobals(std::string appId) : display_(Connect()) {
    if (!display_)
        throw std::runtime_error("cannot connect to the Wayland compositor \"" + DisplayName() +
                                 "\"");
    registry_.Reset(wl_display_get_registry(Display()));
    static const wl_registry_listener registryListener{OnGlobal, OnGlobalRemove};
    wl_registry_add_listener(registry_.Get(), &registryListener, this);
    // The first round trip brings the globals, the second what they tell on binding (shm
    // formats, output scales and modes, the seat's devices).
    wl_display_roundtrip(Display());
    if (!compositor_ || !subcompositor_ || !shm_ || !shell_)
        throw std::runtime_error("the Wayland compositor \"" + DisplayName() +
                                 "\" lacks wl_compositor, wl_subcompositor, wl_shm or xdg_wm_base");
    wl_display_roundtrip(Display());

    context_.compositor = compositor_.Get();
    context_.subcompositor = subcompositor_.Get();
    context_.shm = shm_.Get();
    context_.shell = shell_.Get();
    context_.decorations = decorations_.Get();
    context_.seat = seat_.Get();
    context_.outputs = &outputs_;
    // Fractional scales are shown through viewports: one without the other is of no use to them.
    if (!viewporter_) fractionalScales_.Reset();
    context_.viewporter = viewporter_.Get();
    context_.fractionalScales = fractionalScales_.Get();
    context_.viewportUse = fractionalScales_ ? ViewportUse::Always
                           : viewporter_     ? ViewportUse::WhenUneven
                                             : ViewportUse::Never;
    // Framebuffer colours keep red in their lowest byte: formats that do too take them as
    // they are.
    context_.order = redLowestFormats_ ? ShmChannelOrder::RedLowest : ShmChannelOrder::BlueLowest;
    context_.opaqueFormat = redLowestFormats_ ? WL_SHM_FORMAT_XBGR8888 : WL_SHM_FORMAT_XRGB8888;
    context_.translucentFormat =
        redLowestFormats_ ? WL_SHM_FORMAT_ABGR8888 : WL_SHM_FORMAT_ARGB8888;
    context_.appId = std::move(appId);
}

std::string WaylandGlobals::DisplayName() {
    const char* name = std::getenv("WAYLAND_DISPLAY");
    return name && *name ? name : "wayland-0";
}

void WaylandGlobals::WatchSeat(std::function<void(uint32_t)> onCapabilities) {
    onSeatCapabilities_ = std::move(onCapabilities);
    onSeatCapabilities_(seatCapabilities_);
}

void WaylandGlobals::Roundtrip() {
    if (!lost_ && wl_display_roundtrip(Display()) < 0) lost_ = true;
}

WaylandOutput* WaylandGlobals::OutputOf(wl_output* output) {
    for (WaylandOutput& known : outputs_)
        if (known.output.Get() == output) return &known;
    return nullptr;
}

void WaylandGlobals::OnGlobal(void* data, wl_registry* registry, uint32_t name,
                              const char* interface, uint32_t version) {
    auto& g = *static_cast<WaylandGlobals*>(data);
    const std::string_view kind = interface;
    // Each object is bound at the highest version whose events the program handles.
    const auto bind = [&](auto& holder, const wl_interface* type, uint32_t highest) {
        holder.Reset(static_cast<decltype(holder.Get())>(
            wl_registry_bind(registry, name, type, std::min(version, highest))));
    };
    if (kind == wl_compositor_interface.name) {
        bind(g.compositor_, &wl_compositor_interface, 4);
    } else if (kind == wl_subcompositor_interface.name) {
        bind(g.subcompositor_, &wl_subcompositor_interface, 1);
    } else if (kind == zxdg_decoration_manager_v1_interface.name) {
        bind(g.decorations_, &zxdg_decoration_manager_v1_interface, 1);
    } else if (kind == wl_shm_interface.name) {
        bind(g.shm_, &wl_shm_interface, 1);
        static const wl_shm_listener listener{OnShmFormat};
        wl_shm_add_listener(g.shm_.Get(), &listener, &g);
    } else if (kind == xdg_wm_base_interface.name) {
        bind(g.shell_, &xdg_wm_base_interface, 3);
        static const xdg_wm_base_listener listener{OnPing};
        xdg_wm_base_add_listener(g.shell_.Get(), &listener, &g);
    } else if (kind == wl_seat_interface.name && !g.seat_) {
        bind(g.seat_, &wl_seat_interface, 5);
        static const wl_seat_listener listener{OnSeatCapabilities,
                                               [](void*, wl_seat*, const char*) {}};
        wl_seat_add_listener(g.seat_.Get(), &listener, &g);
    } else if (kind == xdg_activation_v1_interface.name) {
        bind(g.activation_, &xdg_activation_v1_interface, 1);
    } else if (kind == wl_data_device_manager_interface.name) {
        bind(g.dataDevices_, &wl_data_device_manager_interface, 1);
    } else if (kind == zwp_primary_selection_device_manager_v1_interface.name) {
        bind(g.primarySelections_, &zwp_primary_selection_device_manager_v1_interface, 1);
    } else if (kind == wp_viewporter_interface.name) {
        bind(g.viewporter_, &wp_viewporter_interface, 1);
    } else if (kind == wp_fractional_scale_manager_v1_interface.name) {
        bind(g.fractionalScales_, &wp_fractional_scale_manager_v1_interface, 1);
    } else if (kind == wl_output_interface.name) {
        WaylandOutput& output = g.outputs_.emplace_back();
        bind(output.output, &wl_output_interface, 2);
        static const wl_output_listener listener{
            .geometry = [](void*, wl_output*, int32_t, int32_t, int32_t, int32_t, int32_t,
                           const char*, const char*, int32_t) {},
            .mode = OnOutputMode,
            .done =
                [](void* data, wl_output*) {
                    auto& globals = *static_cast<WaylandGlobals*>(data);
                    if (globals.onOutputsChanged_) globals.onOutputsChanged_();
                },
            .scale = OnOutputScale,
            .name = [](void*, wl_output*, const char*) {},
            .description = [](void*, wl_output*, const char*) {},
        };
        wl_output_add_listener(output.output.Get(), &listener, &g);
    }
}

void WaylandGlobals::OnGlobalRemove(void* data, wl_registry*, uint32_t) {
    // Outputs and seats may come and go; the program keeps what it bound, which the
    // compositor keeps answering as inert objects.
    static_cast<void>(data);
}

void WaylandGlobals::OnShmFormat(void* data, wl_shm*, uint32_t format) {
    if (format == WL_SHM_FORMAT_XBGR8888)
        static_cast<WaylandGlobals*>(data)->redLowestFormats_ = true;
}

void WaylandGlobals::OnPing(void*, xdg_wm_base* shell, uint32_t serial) {
    xdg_wm_base_pong(shell, serial);
}

void WaylandGlobals::OnSeatCapabilities(void* data, wl_seat*, uint32_t capabilities) {
    auto& g = *static_cast<WaylandGlobals*>(data);
    g.seatCapabilities_ = capabilities;
    if (g.onSeatCapabilities_) g.onSeatCapabilities_(capabilities);
}

void WaylandGlobals::OnOutputScale(void* data, wl_output* output, int32_t factor) {
    if (WaylandOutput* known = static_cast<WaylandGlobals*>(data)->OutputOf(output))
        known->scale = factor;
}

void WaylandGlobals::OnOutputMode(void* data, wl_output* output, uint32_t flags, int32_t width,
                                  int32_t height, int32_t) {
    if ((flags & WL_OUTPUT_MODE_CURRENT) == 0) return;
    if (WaylandOutput* known = static_cast<WaylandGlobals*>(data)->OutputOf(output))
        known->mode = {width, height};
}

}  // namespace platform
