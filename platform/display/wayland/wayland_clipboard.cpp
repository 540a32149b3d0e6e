#include "platform/display/wayland/wayland_clipboard.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>
#include "platform/display/wayland/wayland_client_library.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <iterator>
#include <utility>

#include "platform/display/clipboard_limits.h"

namespace platform {
namespace {

// Types of text, the preferred first: what programs offer for UTF-8 text.
constexpr const char* kTextTypes[] = {"text/plain;charset=utf-8", "UTF8_STRING", "text/plain",
                                      "TEXT", "STRING"};

/// Waits for `events` on `fd` until `deadline`; false when the time ran out or it failed.
bool WaitFor(int fd, short events, std::chrono::steady_clock::time_point deadline) {
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) return false;
        pollfd one{fd, events, 0};
        const int ready = poll(&one, 1, static_cast<int>(left.count()));
        if (ready > 0) return true;
        if (ready == 0 || errno != EINTR) return false;
    }
}

}  // namespace

void OfferedText::Announce(std::string_view type) {
    const auto known = std::find(std::begin(kTextTypes), std::end(kTextTypes), type);
    preferred_ = std::min(preferred_, static_cast<size_t>(known - std::begin(kTextTypes)));
}

const char* OfferedText::Preferred() const {
    return preferred_ < std::size(kTextTypes) ? kTextTypes[preferred_] : nullptr;
}

void WriteOfferedText(OwnedFd fd, const std::string& text) {
    // The reader may be slow: write without blocking, waiting at most the transfer time.
    fcntl(fd.Get(), F_SETFL, fcntl(fd.Get(), F_GETFL) | O_NONBLOCK);
    const auto deadline = std::chrono::steady_clock::now() + kClipboardTransferTime;
    size_t written = 0;
    while (written < text.size()) {
        const ssize_t done = write(fd.Get(), text.data() + written, text.size() - written);
        if (done > 0) {
            written += static_cast<size_t>(done);
        } else if (done < 0 && errno == EINTR) {
            continue;
        } else if (done < 0 && errno == EAGAIN && WaitFor(fd.Get(), POLLOUT, deadline)) {
            continue;
        } else {
            break;
        }
    }
}

std::span<const char* const> TextTypes() {
    return kTextTypes;
}

WaylandClipboard::WaylandClipboard(wl_display* display, EventSource& events,
                                   wl_data_device_manager* manager,
                                   zwp_primary_selection_device_manager_v1* primaryManager,
                                   wl_seat* seat, std::function<uint32_t()> inputSerial)
    : display_(display),
      events_(events),
      manager_(manager),
      inputSerial_(inputSerial),
      primary_(primaryManager, seat, std::move(inputSerial)) {
    if (!manager || !seat) return;
    device_.Reset(wl_data_device_manager_get_data_device(manager, seat));
    static const wl_data_device_listener listener{
        .data_offer = OnDataOffer,
        .enter = [](void*, wl_data_device*, uint32_t, wl_surface*, wl_fixed_t, wl_fixed_t,
                    wl_data_offer*) {},
        .leave = [](void*, wl_data_device*) {},
        .motion = [](void*, wl_data_device*, uint32_t, wl_fixed_t, wl_fixed_t) {},
        .drop = [](void*, wl_data_device*) {},
        .selection = OnSelection,
    };
    wl_data_device_add_listener(device_.Get(), &listener, this);
}

void WaylandClipboard::RequestClipboardText(std::function<void(std::string text)> onText) {
    if (read_ && read_->Waiting()) return;
    if (owned_) return onText(ownText_);
    const auto it = offers_.find(selection_);
    const char* type = it != offers_.end() ? it->second.text.Preferred() : nullptr;
    if (!type) return onText({});
    int pipeEnds[2];
    if (pipe2(pipeEnds, O_CLOEXEC) != 0) return onText({});
    OwnedFd readEnd(pipeEnds[0]);
    OwnedFd writeEnd(pipeEnds[1]);
    wl_data_offer_receive(selection_, type, writeEnd.Get());
    // The offer's owner writes into a copy of the write end: the text ends when that copy
    // closes, so this one goes now.
    writeEnd.Reset();
    wl_display_flush(display_);
    read_.reset();
    read_.emplace(events_, std::move(readEnd), std::move(onText));
}

void WaylandClipboard::SetClipboardText(const std::string& text) {
    ownText_ = text;
    owned_ = true;
    if (!device_) return;
    source_.Reset(wl_data_device_manager_create_data_source(manager_));
    static const wl_data_source_listener listener{
        .target = [](void*, wl_data_source*, const char*) {},
        .send = OnSend,
        .cancelled = OnCancelled,
        .dnd_drop_performed = [](void*, wl_data_source*) {},
        .dnd_finished = [](void*, wl_data_source*) {},
        .action = [](void*, wl_data_source*, uint32_t) {},
    };
    wl_data_source_add_listener(source_.Get(), &listener, this);
    for (const char* type : kTextTypes)
        wl_data_source_offer(source_.Get(), type);
    wl_data_device_set_selection(device_.Get(), source_.Get(), inputSerial_());
}

void WaylandClipboard::SetPrimaryText(const std::string& text) {
    primary_.Set(text);
}

void WaylandClipboard::OnDataOffer(void* data, wl_data_device*, wl_data_offer* offer) {
    auto* clipboard = static_cast<WaylandClipboard*>(data);
    clipboard->offers_[offer].object.Reset(offer);
    static const wl_data_offer_listener listener{
        .offer = OnOfferType,
        .source_actions = [](void*, wl_data_offer*, uint32_t) {},
        .action = [](void*, wl_data_offer*, uint32_t) {},
    };
    wl_data_offer_add_listener(offer, &listener, clipboard);
}

void WaylandClipboard::OnOfferType(void* data, wl_data_offer* offer, const char* type) {
    auto& offers = static_cast<WaylandClipboard*>(data)->offers_;
    if (const auto it = offers.find(offer); it != offers.end()) it->second.text.Announce(type);
}

void WaylandClipboard::OnSelection(void* data, wl_data_device*, wl_data_offer* offer) {
    auto* clipboard = static_cast<WaylandClipboard*>(data);
    if (clipboard->selection_ && clipboard->selection_ != offer)
        clipboard->Forget(clipboard->selection_);
    clipboard->selection_ = offer;
    // Every offer but the selection was one of a drag, which the program does not take.
    for (auto it = clipboard->offers_.begin(); it != clipboard->offers_.end();) {
        if (it->first == offer) {
            ++it;
            continue;
        }
        it = clipboard->offers_.erase(it);
    }
}

void WaylandClipboard::Forget(wl_data_offer* offer) {
    offers_.erase(offer);
}

void WaylandClipboard::OnSend(void* data, wl_data_source*, const char*, int32_t fd) {
    WriteOfferedText(OwnedFd(fd), static_cast<WaylandClipboard*>(data)->ownText_);
}

void WaylandClipboard::OnCancelled(void* data, wl_data_source*) {
    // Another program took the selection. Only the source the clipboard keeps can hear this:
    // the ones it replaced are destroyed.
    auto* clipboard = static_cast<WaylandClipboard*>(data);
    clipboard->source_.Reset();
    clipboard->owned_ = false;
}

}  // namespace platform
