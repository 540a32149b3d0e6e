#include "platform/accessibility/atspi/accessibility_status.h"

#include <errno.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <span>
#include <string_view>
#include <utility>

#include "platform/accessibility/atspi/dbus_wire.h"

namespace platform::atspi {
namespace {

constexpr std::string_view kBus = "org.freedesktop.DBus";
constexpr std::string_view kBusPath = "/org/freedesktop/DBus";
constexpr std::string_view kLauncher = "org.a11y.Bus";
constexpr std::string_view kLauncherPath = "/org/a11y/bus";
constexpr std::string_view kStatus = "org.a11y.Status";
constexpr std::string_view kProperties = "org.freedesktop.DBus.Properties";
constexpr std::string_view kIsEnabled = "IsEnabled";
constexpr std::string_view kScreenReaderEnabled = "ScreenReaderEnabled";
constexpr std::string_view kStatusChanges =
    "type='signal',sender='org.a11y.Bus',path='/org/a11y/bus',"
    "interface='org.freedesktop.DBus.Properties',member='PropertiesChanged'";
// The launcher coming (after the program started) or going.
constexpr std::string_view kLauncherOwnerChanges =
    "type='signal',sender='org.freedesktop.DBus',path='/org/freedesktop/DBus',"
    "interface='org.freedesktop.DBus',member='NameOwnerChanged',arg0='org.a11y.Bus'";
/// The longest line the bus may answer the authentication with.
constexpr size_t kMaxAuthLine = 512;

/// A D-Bus address value with its %XX escapes undone.
std::string Unescape(std::string_view value) {
    std::string plain;
    for (size_t i = 0; i < value.size(); ++i) {
        if (value[i] == '%' && i + 2 < value.size()) {
            plain += static_cast<char>(
                std::strtol(std::string(value.substr(i + 1, 2)).c_str(), nullptr, 16));
            i += 2;
        } else {
            plain += value[i];
        }
    }
    return plain;
}

/// Connects a non-blocking socket to one "unix:path=..." or "unix:abstract=..." address; none
/// when it is of another kind or refused.
OwnedFd ConnectTo(std::string_view address) {
    if (!address.starts_with("unix:")) return {};
    sockaddr_un where{};
    where.sun_family = AF_UNIX;
    size_t length = 0;
    for (std::string_view rest = address.substr(5); !rest.empty();) {
        const std::string_view pair = rest.substr(0, rest.find(','));
        rest.remove_prefix(std::min(rest.size(), pair.size() + 1));
        const bool abstract = pair.starts_with("abstract=");
        if (!abstract && !pair.starts_with("path=")) continue;
        const std::string path = Unescape(pair.substr(pair.find('=') + 1));
        const size_t offset = abstract ? 1 : 0;  // an abstract name begins with a zero byte
        if (path.empty() || path.size() + offset >= sizeof(where.sun_path)) return {};
        std::memcpy(where.sun_path + offset, path.data(), path.size());
        length = offsetof(sockaddr_un, sun_path) + offset + path.size() + (abstract ? 0 : 1);
    }
    if (length == 0) return {};
    OwnedFd fd(socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
    if (!fd) return {};
    if (connect(fd.Get(), reinterpret_cast<const sockaddr*>(&where),
                static_cast<socklen_t>(length)) == 0 ||
        errno == EAGAIN || errno == EINPROGRESS)
        return fd;
    return {};
}

/// The session bus: the first address of DBUS_SESSION_BUS_ADDRESS that takes the connection,
/// else the bus socket in XDG_RUNTIME_DIR.
OwnedFd ConnectToSessionBus() {
    if (const char* addresses = std::getenv("DBUS_SESSION_BUS_ADDRESS"); addresses && *addresses) {
        for (std::string_view rest = addresses; !rest.empty();) {
            const std::string_view address = rest.substr(0, rest.find(';'));
            rest.remove_prefix(std::min(rest.size(), address.size() + 1));
            if (OwnedFd fd = ConnectTo(address)) return fd;
        }
        return {};
    }
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (!runtime || !*runtime) return {};
    return ConnectTo("unix:path=" + std::string(runtime) + "/bus");
}

}  // namespace

std::unique_ptr<AccessibilityStatus> AccessibilityStatus::Open(
    EventSource& events, std::function<void(bool on)> onChange) {
    OwnedFd fd = ConnectToSessionBus();
    if (!fd) return nullptr;
    return std::unique_ptr<AccessibilityStatus>(
        new AccessibilityStatus(events, std::move(fd), std::move(onChange)));
}

// The authentication, Hello and the questions go out at once; the bus answers them in order.
AccessibilityStatus::AccessibilityStatus(EventSource& events, OwnedFd fd,
                                         std::function<void(bool)> onChange)
    : events_(events), fd_(std::move(fd)), onChange_(std::move(onChange)) {
    char uid[32];
    std::snprintf(uid, sizeof uid, "%u", static_cast<unsigned>(getuid()));
    std::string auth = std::string(1, '\0') + "AUTH EXTERNAL ";
    for (const char* c = uid; *c; ++c) {
        char hex[3];
        std::snprintf(hex, sizeof hex, "%02x", static_cast<unsigned char>(*c));
        auth += hex;
    }
    auth += "\r\nBEGIN\r\n";
    out_.assign(auth.begin(), auth.end());
    Call(kBusPath, kBus, "Hello", {});
    Call(kBusPath, kBus, "AddMatch", {kStatusChanges});
    Call(kBusPath, kBus, "AddMatch", {kLauncherOwnerChanges});
    AskStatus();
    events_.AddParticipant(*this);
}

void AccessibilityStatus::AskStatus() {
    isEnabledCall_ = nextSerial_;
    Call(kLauncherPath, kProperties, "Get", {kStatus, kIsEnabled});
    screenReaderCall_ = nextSerial_;
    Call(kLauncherPath, kProperties, "Get", {kStatus, kScreenReaderEnabled});
}

AccessibilityStatus::~AccessibilityStatus() {
    if (fd_) events_.RemoveParticipant(*this);
}

void AccessibilityStatus::Call(std::string_view path, std::string_view interface,
                               std::string_view member, std::vector<std::string_view> arguments) {
    const std::string_view destination = interface == kBus ? kBus : kLauncher;
    const std::vector<uint8_t> message =
        MethodCall(nextSerial_++, destination, path, interface, member, arguments);
    out_.insert(out_.end(), message.begin(), message.end());
}

void AccessibilityStatus::RequestAddress(std::function<void(std::string address)> onAddress) {
    if (!fd_) return;
    onAddress_ = std::move(onAddress);
    addressCall_ = nextSerial_;
    Call(kLauncherPath, kLauncher, "GetAddress", {});
    Flush();
}

WaitInterest AccessibilityStatus::Interest() {
    return {.fd = fd_.Get(), .readable = true, .writable = !out_.empty()};
}

void AccessibilityStatus::Ready() {
    Flush();
    if (fd_ && !TakeIn()) Close();
}

void AccessibilityStatus::Flush() {
    while (fd_ && !out_.empty()) {
        const ssize_t sent = send(fd_.Get(), out_.data(), out_.size(), MSG_NOSIGNAL);
        if (sent < 0) {
            if (errno != EAGAIN && errno != EINTR && errno != ENOTCONN) Close();
            return;
        }
        out_.erase(out_.begin(), out_.begin() + sent);
    }
}

bool AccessibilityStatus::TakeIn() {
    uint8_t chunk[4096];
    const ssize_t got = recv(fd_.Get(), chunk, sizeof chunk, 0);
    if (got == 0) return false;
    if (got < 0) return errno == EAGAIN || errno == EINTR || errno == ENOTCONN;
    in_.insert(in_.end(), chunk, chunk + got);
    if (!authenticated_) {
        constexpr std::string_view kLineEnd = "\r\n";
        const auto end = std::search(in_.begin(), in_.end(), kLineEnd.begin(), kLineEnd.end());
        if (end == in_.end()) return in_.size() <= kMaxAuthLine;
        if (!std::string_view(reinterpret_cast<const char*>(in_.data()), in_.size())
                 .starts_with("OK "))
            return false;
        in_.erase(in_.begin(), end + 2);
        authenticated_ = true;
    }
    for (;;) {
        const std::optional<size_t> length = MessageLength(in_);
        if (!length) return false;
        if (*length == 0 || in_.size() < *length) return true;
        const std::optional<IncomingMessage> message =
            ReadMessage(std::span<const uint8_t>(in_).first(*length));
        if (!message) return false;
        Handle(*message);
        if (!fd_) return true;
        in_.erase(in_.begin(), in_.begin() + static_cast<std::ptrdiff_t>(*length));
    }
}

void AccessibilityStatus::Handle(const IncomingMessage& message) {
    if (message.type == kSignal && message.member == "NameOwnerChanged") {
        // A launcher that starts later is asked; one that goes leaves accessibility off.
        const std::optional<std::vector<std::string>> names = ReadStrings(message);
        if (message.path != kBusPath || message.interface != kBus || !names || names->size() != 3 ||
            (*names)[0] != kLauncher)
            return;
        if ((*names)[2].empty()) {
            Take(kIsEnabled, false);
            Take(kScreenReaderEnabled, false);
        } else {
            AskStatus();
            Flush();
        }
        return;
    }
    if (message.type == kSignal) {
        if (message.path != kLauncherPath || message.interface != kProperties ||
            message.member != "PropertiesChanged")
            return;
        const std::optional<ChangedBooleans> changed = ReadChangedBooleans(message);
        if (!changed || changed->interface != kStatus) return;
        for (const auto& [name, value] : changed->values)
            Take(name, value);
        return;
    }
    if (message.type != kMethodReturn || message.replySerial == 0) return;
    if (message.replySerial == isEnabledCall_ || message.replySerial == screenReaderCall_) {
        if (const std::optional<bool> value = ReadBooleanVariant(message))
            Take(message.replySerial == isEnabledCall_ ? kIsEnabled : kScreenReaderEnabled, *value);
    } else if (message.replySerial == addressCall_ && onAddress_) {
        const std::optional<std::string> address = ReadString(message);
        if (!address || address->empty()) return;
        const std::function<void(std::string)> onAddress = std::move(onAddress_);
        onAddress(*address);
    }
}

void AccessibilityStatus::Take(std::string_view name, bool value) {
    const bool wasOn = On();
    if (name == kIsEnabled) isEnabled_ = value;
    if (name == kScreenReaderEnabled) screenReaderEnabled_ = value;
    if (On() != wasOn) onChange_(On());
}

void AccessibilityStatus::Close() {
    if (!fd_) return;
    events_.RemoveParticipant(*this);
    fd_.Reset();
    out_.clear();
    const bool wasOn = On();
    isEnabled_ = screenReaderEnabled_ = false;
    if (wasOn) onChange_(false);
}

}  // namespace platform::atspi
