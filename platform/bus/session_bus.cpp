#include "platform/bus/session_bus.h"

#include <errno.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>

namespace platform::bus {
namespace {

constexpr std::string_view kBus = "org.freedesktop.DBus";
constexpr std::string_view kBusPath = "/org/freedesktop/DBus";
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

std::optional<SessionBusConnection> SessionBusConnection::Connect(const EventSource& clock) {
    OwnedFd fd = ConnectToSessionBus();
    if (!fd) return std::nullopt;
    return SessionBusConnection(clock, std::move(fd));
}

SessionBusConnection::SessionBusConnection(const EventSource& clock, OwnedFd fd) : clock_(&clock) {
    Begin(std::move(fd));
}

void SessionBusConnection::Begin(OwnedFd fd) {
    fd_ = std::move(fd);
    authenticated_ = false;
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
    Call(kBus, kBusPath, kBus, "Hello", {});
}

uint32_t SessionBusConnection::Call(std::string_view destination, std::string_view path,
                                    std::string_view interface, std::string_view member,
                                    std::span<const std::string_view> arguments) {
    if (!fd_) return 0;
    const uint32_t serial = nextSerial_++;
    const std::vector<uint8_t> message =
        MethodCall(serial, destination, path, interface, member, arguments);
    out_.insert(out_.end(), message.begin(), message.end());
    return serial;
}

void SessionBusConnection::AddMatch(std::string_view rule) {
    Call(kBus, kBusPath, kBus, "AddMatch", std::span(&rule, 1));
}

WaitInterest SessionBusConnection::Interest() const {
    if (!fd_) return {.deadlineMs = retryAtMs_};
    return {.fd = fd_.Get(), .readable = true, .writable = !out_.empty()};
}

// Serials go on counting across connections, so that no answer on a new connection is taken
// for one to a question asked on the old.
SessionBusConnection::Link SessionBusConnection::Exchange(
    const std::function<void(const IncomingMessage&)>& onMessage) {
    if (!fd_) {
        if (clock_->NowMs() < retryAtMs_) return Link::Kept;
        OwnedFd fd = ConnectToSessionBus();
        if (!fd) {
            Close();
            return Link::Kept;
        }
        Begin(std::move(fd));
        return Link::Restored;
    }
    Flush();
    if (fd_ && !TakeIn(onMessage)) Close();
    Flush();
    return fd_ ? Link::Kept : Link::Lost;
}

void SessionBusConnection::Flush() {
    while (fd_ && !out_.empty()) {
        const ssize_t sent = send(fd_.Get(), out_.data(), out_.size(), MSG_NOSIGNAL);
        if (sent < 0) {
            if (errno != EAGAIN && errno != EINTR && errno != ENOTCONN) Close();
            return;
        }
        out_.erase(out_.begin(), out_.begin() + sent);
    }
}

bool SessionBusConnection::TakeIn(const std::function<void(const IncomingMessage&)>& onMessage) {
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
        backOffMs_ = kFirstRetryMs;
    }
    for (;;) {
        const size_t skipped = std::min(skip_, in_.size());
        in_.erase(in_.begin(), in_.begin() + static_cast<std::ptrdiff_t>(skipped));
        skip_ -= skipped;
        if (skip_ > 0) return true;
        const std::optional<size_t> length = MessageLength(in_);
        if (!length) return false;
        if (*length == 0) return true;
        // A message longer than any the readers want (a broadcast, a call of someone else's
        // making) is passed over byte by byte, never kept.
        if (*length > kMaxMessageBytes) {
            skip_ = *length;
            continue;
        }
        if (in_.size() < *length) return true;
        const std::optional<IncomingMessage> message =
            ReadMessage(std::span<const uint8_t>(in_).first(*length));
        if (!message) return false;
        onMessage(*message);
        in_.erase(in_.begin(), in_.begin() + static_cast<std::ptrdiff_t>(*length));
    }
}

void SessionBusConnection::Close() {
    retryAtMs_ = clock_->NowMs() + backOffMs_;
    backOffMs_ = std::min(2 * backOffMs_, kLastRetryMs);
    fd_.Reset();
    out_.clear();
    in_.clear();
    skip_ = 0;
}

}  // namespace platform::bus
