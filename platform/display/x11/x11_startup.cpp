#include "platform/display/x11/x11_startup.h"

#include <algorithm>
#include <charconv>
#include <cstring>

namespace platform {
namespace {

// Each client message carries this many bytes of the text.
constexpr size_t kChunkBytes = 20;

}  // namespace

std::string LaunchEndMessage(std::string_view startupId) {
    std::string message = "remove: ID=";
    if (startupId.find_first_of(" \"\\") == std::string_view::npos) {
        message += startupId;
    } else {
        message += '"';
        for (const char c : startupId) {
            if (c == '"' || c == '\\') message += '\\';
            message += c;
        }
        message += '"';
    }
    message += '\0';
    return message;
}

void EndLaunch(Display* display, ::Window root, ::Window from, std::string_view startupId) {
    const std::string message = LaunchEndMessage(startupId);
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = from;
    event.xclient.format = 8;
    Atom type = XInternAtom(display, "_NET_STARTUP_INFO_BEGIN", False);
    const Atom more = XInternAtom(display, "_NET_STARTUP_INFO", False);
    for (size_t at = 0; at < message.size(); at += kChunkBytes) {
        const size_t count = std::min(kChunkBytes, message.size() - at);
        event.xclient.message_type = type;
        std::memset(event.xclient.data.b, 0, sizeof event.xclient.data.b);
        std::memcpy(event.xclient.data.b, message.data() + at, count);
        XSendEvent(display, root, False, PropertyChangeMask, &event);
        type = more;
    }
    XFlush(display);
}

Time LaunchTime(std::string_view startupId) {
    const size_t mark = startupId.rfind("_TIME");
    if (mark == std::string_view::npos) return CurrentTime;
    const std::string_view digits = startupId.substr(mark + 5);
    unsigned long time = CurrentTime;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), time);
    // The display's clock counts milliseconds in 32 bits.
    if (error != std::errc() || end == digits.data() || time > 0xFFFFFFFFul) return CurrentTime;
    return static_cast<Time>(time);
}

}  // namespace platform
