#include "platform/display/wayland/wayland_primary_selection.h"

#include "platform/display/wayland/wayland_client_library.h"

#include <utility>

#include "platform/display/wayland/wayland_clipboard.h"
#include "primary-selection-unstable-v1-client-protocol.h"

namespace platform {

WaylandPrimarySelection::WaylandPrimarySelection(zwp_primary_selection_device_manager_v1* manager,
                                                 wl_seat* seat,
                                                 std::function<uint32_t()> inputSerial)
    : manager_(manager), inputSerial_(std::move(inputSerial)) {
    if (!manager || !seat) return;
    device_.Reset(zwp_primary_selection_device_manager_v1_get_device(manager, seat));
    static const zwp_primary_selection_device_v1_listener listener{
        .data_offer = [](void*, zwp_primary_selection_device_v1*,
                         zwp_primary_selection_offer_v1*) {},
        .selection = OnSelection,
    };
    zwp_primary_selection_device_v1_add_listener(device_.Get(), &listener, this);
}

void WaylandPrimarySelection::Set(const std::string& text) {
    if (!device_) return;
    text_ = text;
    source_.Reset(zwp_primary_selection_device_manager_v1_create_source(manager_));
    static const zwp_primary_selection_source_v1_listener listener{
        .send = OnSend,
        .cancelled = OnCancelled,
    };
    zwp_primary_selection_source_v1_add_listener(source_.Get(), &listener, this);
    for (const char* type : TextTypes())
        zwp_primary_selection_source_v1_offer(source_.Get(), type);
    zwp_primary_selection_device_v1_set_selection(device_.Get(), source_.Get(), inputSerial_());
}

void WaylandPrimarySelection::OnSelection(void* data, zwp_primary_selection_device_v1*,
                                          zwp_primary_selection_offer_v1* offer) {
    static_cast<WaylandPrimarySelection*>(data)->offer_.Reset(offer);
}

void WaylandPrimarySelection::OnSend(void* data, zwp_primary_selection_source_v1*, const char*,
                                     int32_t fd) {
    WriteOfferedText(OwnedFd(fd), static_cast<WaylandPrimarySelection*>(data)->text_);
}

// Only the source kept hears this: the ones it replaced are destroyed.
void WaylandPrimarySelection::OnCancelled(void* data, zwp_primary_selection_source_v1*) {
    static_cast<WaylandPrimarySelection*>(data)->source_.Reset();
}

}  // namespace platform
