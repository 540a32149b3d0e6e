#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/display/wayland/wayland_output.h"
#include "platform/display/wayland/wayland_owned.h"
#include "platform/display/wayland/wayland_window.h"
#include "platform/ui/backend.h"

namespace platform {

/// The connection to a Wayland compositor and the globals the backend's drivers bind from its
/// registry: what windows need (WaylandWindowContext), the seat, the clipboard's data device
/// manager, xdg-activation, the outputs, and the viewporter and fractional scales where the
/// compositor offers both. Whether the connection is lost is kept here, for
/// every driver to see.
class WaylandGlobals {
  public:
    /// Connects to the compositor that WAYLAND_DISPLAY names (or "wayland-0") and binds its
    /// globals; windows carry the application id `appId`. Throws std::runtime_error naming the
    /// compositor when there is none or it lacks what windows need (wl_compositor,
    /// wl_subcompositor, wl_shm, xdg-shell).
    explicit WaylandGlobals(std::string appId);
    WaylandGlobals(const WaylandGlobals&) = delete;
    WaylandGlobals& operator=(const WaylandGlobals&) = delete;

    /// WAYLAND_DISPLAY, or "wayland-0" without it.
    static std::string DisplayName();

    wl_display* Display() const { return display_.Get(); }
    const WaylandWindowContext& Context() const { return context_; }
    wl_data_device_manager* DataDevices() const { return dataDevices_.Get(); }
    /// Null where the compositor has no primary selection.
    zwp_primary_selection_device_manager_v1* PrimarySelections() const {
        return primarySelections_.Get();
    }
    /// Null where the compositor does not let launches bring windows forward.
    xdg_activation_v1* Activation() const { return activation_.Get(); }
    const std::vector<WaylandOutput>& Outputs() const { return outputs_; }
    /// Calls `onCapabilities` with the seat's capabilities (WL_SEAT_CAPABILITY_*) now, and
    /// again whenever they change.
    void WatchSeat(std::function<void(uint32_t capabilities)> onCapabilities);
    /// Calls `onChanged` whenever an output has told all of what changed about it (its scale,
    /// its mode).
    void WatchOutputs(std::function<void()> onChanged) { onOutputsChanged_ = std::move(onChanged); }

    /// Makes the compositor answer every request sent so far and handles what it sent.
    void Roundtrip();
    bool Lost() const { return lost_; }
    /// The connection failed: nothing comes from the compositor any more.
    void MarkLost() { lost_ = true; }
    /// `the Wayland compositor "wayland-0"`: the compositor as the message about its loss
    /// names it.
    std::string Name() const { return "the Wayland compositor \"" + DisplayName() + "\""; }

  private:
    static void OnGlobal(void* data, wl_registry* registry, uint32_t name, const char* interface,
                         uint32_t version);
    static void OnGlobalRemove(void* data, wl_registry* registry, uint32_t name);
    static void OnSeatCapabilities(void* data, wl_seat* seat, uint32_t capabilities);
    static void OnShmFormat(void* data, wl_shm* shm, uint32_t format);
    static void OnPing(void* data, xdg_wm_base* shell, uint32_t serial);
    static void OnOutputScale(void* data, wl_output* output, int32_t factor);
    static void OnOutputMode(void* data, wl_output* output, uint32_t flags, int32_t width,
                             int32_t height, int32_t refresh);
    WaylandOutput* OutputOf(wl_output* output);

    // Given up in the reverse order, the display last.
    WaylandOwned<wl_display> display_;
    WaylandOwned<wl_registry> registry_;
    WaylandOwned<wl_compositor> compositor_;
    WaylandOwned<wl_subcompositor> subcompositor_;
    WaylandOwned<wl_shm> shm_;
    WaylandOwned<xdg_wm_base> shell_;
    std::vector<WaylandOutput> outputs_;
    WaylandOwned<wp_viewporter> viewporter_;
    WaylandOwned<wp_fractional_scale_manager_v1> fractionalScales_;
    WaylandOwned<xdg_activation_v1> activation_;
    WaylandOwned<wl_data_device_manager> dataDevices_;
    WaylandOwned<zwp_primary_selection_device_manager_v1> primarySelections_;
    WaylandOwned<wl_seat> seat_;
    WaylandOwned<zxdg_decoration_manager_v1> decorations_;
    // The same objects, as windows use them.
    WaylandWindowContext context_;
    bool redLowestFormats_ = false;
    uint32_t seatCapabilities_ = 0;
    std::function<void(uint32_t)> onSeatCapabilities_;
    std::function<void()> onOutputsChanged_;
    bool lost_ = false;
};

}  // namespace platform
