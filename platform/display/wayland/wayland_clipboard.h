#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "platform/display/wayland/offered_text_read.h"
#include "platform/display/wayland/wayland_owned.h"
#include "platform/display/wayland/wayland_primary_selection.h"
#include "platform/os/owned.h"
#include "platform/ui/backend.h"

namespace platform {

/// The types of text that an offer of the clipboard announces, of those the clipboard reads:
/// only the preferred one is kept, however many types another program announces.
class OfferedText {
  public:
    /// Notes a MIME type the offer announces; a type that is not one of text passes unnoted.
    void Announce(std::string_view type);
    /// The preferred type of text announced; null while none is.
    const char* Preferred() const;

  private:
    size_t preferred_ = SIZE_MAX;  // in the clipboard's list of types of text
};

/// The MIME types of text that the program offers its own text as, the preferred first.
std::span<const char* const> TextTypes();

/// Writes `text` into `fd` for the program that asked for it, waiting for a slow reader at most
/// kClipboardTransferTime, and closes `fd`.
void WriteOfferedText(OwnedFd fd, const std::string& text);

/// The clipboard of a Wayland seat, for text: the selection another program offers, read
/// through a pipe from the event source's wait when asked for, and the program's own text, offered
/// until another program takes the selection. Without a seat (or a data device manager) text set is
/// kept within the program.
class WaylandClipboard final : public DisplayClipboard {
  public:
    /// `inputSerial` gives the serial of the latest input event, which the compositor checks
    /// when the program takes the clipboard in answer to it. The offered text is read from
    /// inside the waits of `events`, which must outlive the clipboard.
    WaylandClipboard(wl_display* display, EventSource& events, wl_data_device_manager* manager,
                     zwp_primary_selection_device_manager_v1* primaryManager, wl_seat* seat,
                     std::function<uint32_t()> inputSerial);
    WaylandClipboard(const WaylandClipboard&) = delete;
    WaylandClipboard& operator=(const WaylandClipboard&) = delete;

    /// The program's own text, and "" when no text is offered, are given before the call
    /// returns; another program's text when OfferedTextRead has read it.
    void RequestClipboardText(std::function<void(std::string text)> onText) override;
    /// Makes `text` the clipboard's.
    void SetClipboardText(const std::string& text) override;
    /// Offers `text` as the primary selection where the compositor has one.
    void SetPrimaryText(const std::string& text) override;

  private:
    static void OnDataOffer(void* data, wl_data_device* device, wl_data_offer* offer);
    static void OnSelection(void* data, wl_data_device* device, wl_data_offer* offer);
    static void OnOfferType(void* data, wl_data_offer* offer, const char* type);
    static void OnSend(void* data, wl_data_source* source, const char* type, int32_t fd);
    static void OnCancelled(void* data, wl_data_source* source);
    void Forget(wl_data_offer* offer);

    struct Offer {
        WaylandOwned<wl_data_offer> object;
        OfferedText text;
    };

    wl_display* display_;
    EventSource& events_;
    wl_data_device_manager* manager_;
    std::function<uint32_t()> inputSerial_;
    WaylandOwned<wl_data_device> device_;
    // Offers the compositor has introduced, with the type of text each says it sends.
    std::map<wl_data_offer*, Offer> offers_;
    wl_data_offer* selection_ = nullptr;
    WaylandOwned<wl_data_source> source_;
    std::string ownText_;
    bool owned_ = false;
    WaylandPrimarySelection primary_;
    std::optional<OfferedTextRead> read_;  // the latest read of another program's text
};

}  // namespace platform
