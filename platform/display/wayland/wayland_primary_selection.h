#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "platform/display/wayland/wayland_owned.h"

namespace platform {

/// The primary selection of a Wayland seat (zwp_primary_selection_v1), which a middle click
/// pastes into other programs: the program's own text, offered until another program takes the
/// selection. The selections of others are let go as they come; the program reads none. Where
/// the compositor offers no primary selection (a null manager), setting one does nothing.
class WaylandPrimarySelection {
  public:
    /// `inputSerial` gives the serial of the latest input event, which the compositor checks.
    WaylandPrimarySelection(zwp_primary_selection_device_manager_v1* manager, wl_seat* seat,
                            std::function<uint32_t()> inputSerial);
    WaylandPrimarySelection(const WaylandPrimarySelection&) = delete;
    WaylandPrimarySelection& operator=(const WaylandPrimarySelection&) = delete;

    void Set(const std::string& text);

  private:
    static void OnSelection(void* data, zwp_primary_selection_device_v1* device,
                            zwp_primary_selection_offer_v1* offer);
    static void OnSend(void* data, zwp_primary_selection_source_v1* source, const char* type,
                       int32_t fd);
    static void OnCancelled(void* data, zwp_primary_selection_source_v1* source);

    zwp_primary_selection_device_manager_v1* manager_;
    std::function<uint32_t()> inputSerial_;
    WaylandOwned<zwp_primary_selection_device_v1> device_;
    // Another program's selection, held only to be let go when the next one comes.
    WaylandOwned<zwp_primary_selection_offer_v1> offer_;
    WaylandOwned<zwp_primary_selection_source_v1> source_;
    std::string text_;
};

}  // namespace platform
