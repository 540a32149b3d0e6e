#include "platform/os/instance_channel.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/epoll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <optional>
#include <thread>

#include "platform/os/instance_request.h"
#include "platform/os/private_directory.h"

namespace platform {
namespace {

using Clock = std::chrono::steady_clock;

/// Connections the first copy keeps while their requests come in; a flood of them by the
/// same user costs no more descriptors and buffers than this.
constexpr size_t kMaxPending = 8;
constexpr int kListenBacklog = 16;
constexpr auto kKnockInterval = std::chrono::milliseconds(10);
constexpr std::string_view kSocketEnding = ".socket";

/// `text` as part of a file name: ASCII letters, digits, '.', '_' and '-' stay, anything else
/// becomes '_'.
std::string FileNamePart(std::string_view text) {
    std::string part(text);
    for (char& c : part) {
        const bool kept = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                          (c >= '0' && c <= '9') || c == '.' || c == '_' || c == '-';
        if (!kept) c = '_';
    }
    return part;
}

/// 64-bit FNV-1a of `text` in hexadecimal.
std::string HashName(std::string_view text) {
    uint64_t hash = 14695981039346656037u;
    for (const char c : text) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211u;
    }
    char hex[17];
    std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(hash));
    return hex;
}

/// The channel's files without their endings, "<directory>/<program>-<session>". A session
/// name that would make the socket's path too long for a socket address is replaced by its
/// hash; nullopt when even that is too long.
std::optional<std::string> ChannelStem(const std::string& directory, std::string_view program,
                                       std::string_view session) {
    const std::string prefix = directory + "/" + FileNamePart(program) + "-";
    for (const std::string& part : {FileNamePart(session), HashName(session)}) {
        std::string stem = prefix + part;
        if (stem.size() + kSocketEnding.size() < sizeof(sockaddr_un::sun_path)) return stem;
    }
    return std::nullopt;
}

/// The address of a socket file; `path` fits, as ChannelStem made sure.
sockaddr_un SocketAddress(const std::string& path) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path.data(), path.size());
    return address;
}

OwnedFd StreamSocket() {
    return OwnedFd(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
}

bool PeerIsCurrentUser(int socket) {
    ucred peer{};
    socklen_t size = sizeof peer;
    return ::getsockopt(socket, SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0 &&
           size == sizeof peer && peer.uid == ::getuid();
}

int MillisecondsUntil(Clock::time_point deadline) {
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
    return static_cast<int>(std::max<int64_t>(0, left.count()));
}

/// Sends `request` to the copy listening on `socketPath` and waits for its answer until
/// `deadline`: HandedOver once it answers, NoAnswer when it does not, Unguarded when the
/// listener is another user's or the system fails; nullopt while nothing listens there yet, or
/// when the connection ends before the answer (the first copy ending, say).
std::optional<InstanceRole> Knock(const std::string& socketPath, std::string_view request,
                                  Clock::time_point deadline) {
    const OwnedFd socket = StreamSocket();
    if (!socket) return InstanceRole::Unguarded;
    const sockaddr_un address = SocketAddress(socketPath);
    if (::connect(socket.Get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        // Not bound yet, a socket file its crashed holder left, or a full backlog.
        if (errno == ENOENT || errno == ECONNREFUSED || errno == EAGAIN) return std::nullopt;
        return InstanceRole::Unguarded;
    }
    if (!PeerIsCurrentUser(socket.Get())) return InstanceRole::Unguarded;

    size_t sent = 0;
    std::string answer;
    for (;;) {
        const bool sending = sent < request.size();
        pollfd entry{socket.Get(), static_cast<short>(sending ? POLLOUT : POLLIN), 0};
        const int ready = ::poll(&entry, 1, MillisecondsUntil(deadline));
        if (ready < 0 && errno == EINTR) continue;
        if (ready < 0) return InstanceRole::Unguarded;
        if (ready == 0) return InstanceRole::NoAnswer;
        // Nonblocking: a copy that reads no more cannot hold this one past the deadline.
        char buffer[kInstanceAnswer.size()];
        const ssize_t count =
            sending
                ? ::send(socket.Get(), request.data() + sent, request.size() - sent, MSG_NOSIGNAL)
                : ::recv(socket.Get(), buffer, kInstanceAnswer.size() - answer.size(), 0);
        if (count < 0 && (errno == EAGAIN || errno == EINTR)) continue;
        if (count <= 0) return std::nullopt;
        if (sending) {
            sent += static_cast<size_t>(count);
            continue;
        }
        answer.append(buffer, static_cast<size_t>(count));
        if (answer.size() == kInstanceAnswer.size())
            return answer == kInstanceAnswer ? InstanceRole::HandedOver : InstanceRole::NoAnswer;
    }
}

enum class Progress { Waiting, Complete, Refused };

/// Reads what has come in on `socket` into `received`, without blocking.
Progress ReadRequest(int socket, std::string& received) {
    char buffer[kMaxRequestLength];
    for (;;) {
        const ssize_t count = ::recv(socket, buffer, kMaxRequestLength - received.size(), 0);
        if (count < 0 && errno == EINTR) continue;
        if (count < 0 && errno == EAGAIN) return Progress::Waiting;
        if (count <= 0) return Progress::Refused;
        received.append(buffer, static_cast<size_t>(count));
        const size_t end = received.find('\n');
        if (end != std::string::npos)
            return end + 1 == received.size() ? Progress::Complete : Progress::Refused;
        if (received.size() == kMaxRequestLength) return Progress::Refused;
    }
}

}  // namespace

InstanceChannel::InstanceChannel(std::string_view programName, std::string_view sessionName,
                                 std::string_view startupToken, int answerTimeoutMs) {
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(answerTimeoutMs);
    const std::optional<std::string> directory = PrivateRuntimeDirectory(FileNamePart(programName));
    if (!directory) return;
    const std::optional<std::string> stem = ChannelStem(*directory, programName, sessionName);
    if (!stem) return;
    lock_ =
        OwnedFd(::open((*stem + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600));
    if (!lock_) return;

    // The holder of the lock may still be binding its socket, or be ending: knock until it
    // answers, the lock comes free or the time is up.
    const std::string socketPath = *stem + std::string(kSocketEnding);
    const std::string request = InstanceRequest(startupToken);
    for (;;) {
        if (::flock(lock_.Get(), LOCK_EX | LOCK_NB) == 0) {
            if (Serve(socketPath)) {
                role_ = InstanceRole::First;
                return;
            }
            break;
        }
        if (errno != EWOULDBLOCK) break;
        if (const std::optional<InstanceRole> role = Knock(socketPath, request, deadline)) {
            role_ = *role;
            break;
        }
        if (Clock::now() >= deadline) {
            role_ = InstanceRole::NoAnswer;
            break;
        }
        std::this_thread::sleep_for(
            std::min<Clock::duration>(kKnockInterval, deadline - Clock::now()));
    }
    // Only the first copy keeps the lock: one that cannot serve the channel lets a later copy
    // try.
    lock_.Reset();
}

InstanceChannel::~InstanceChannel() {
    // Removed while the lock is still held, so never a socket that a later first copy bound.
    if (role_ == InstanceRole::First) ::unlink(socketPath_.c_str());
}

bool InstanceChannel::Serve(const std::string& socketPath) {
    // A socket file left by a holder that crashed: the lock says that no copy serves it.
    if (::unlink(socketPath.c_str()) != 0 && errno != ENOENT) return false;
    OwnedFd listener = StreamSocket();
    if (!listener) return false;
    const sockaddr_un address = SocketAddress(socketPath);
    if (::bind(listener.Get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0)
        return false;
    OwnedFd events(::epoll_create1(EPOLL_CLOEXEC));
    epoll_event event{};
    event.events = EPOLLIN;
    event.data.fd = listener.Get();
    if (::listen(listener.Get(), kListenBacklog) != 0 || !events ||
        ::epoll_ctl(events.Get(), EPOLL_CTL_ADD, listener.Get(), &event) != 0) {
        ::unlink(socketPath.c_str());
        return false;
    }
    listener_ = std::move(listener);
    events_ = std::move(events);
    socketPath_ = socketPath;
    return true;
}

std::vector<std::string> InstanceChannel::TakeRequests() {
    std::vector<std::string> tokens;
    if (role_ != InstanceRole::First) return tokens;
    AcceptWaiting();
    for (auto it = pending_.begin(); it != pending_.end();) {
        const Progress progress = ReadRequest(it->socket.Get(), it->received);
        if (progress == Progress::Waiting) {
            ++it;
            continue;
        }
        if (progress == Progress::Complete) {
            if (std::optional<std::string> token = TokenOfInstanceRequest(it->received)) {
                // A copy that does not read its answer is not waited for: the socket is
                // nonblocking, and closed right after.
                ::send(it->socket.Get(), kInstanceAnswer.data(), kInstanceAnswer.size(),
                       MSG_NOSIGNAL);
                tokens.push_back(std::move(*token));
            }
        }
        it = Drop(it);
    }
    return tokens;
}

void InstanceChannel::AcceptWaiting() {
    // No more than a full pending list per call, so that a flood of connections cannot hold
    // the caller here; the rest keep the descriptor readable for the next call.
    for (size_t accepted = 0; accepted < kMaxPending; ++accepted) {
        OwnedFd socket(::accept4(listener_.Get(), nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC));
        if (!socket && (errno == EINTR || errno == ECONNABORTED)) continue;
        if (!socket) return;
        if (!PeerIsCurrentUser(socket.Get())) continue;
        if (pending_.size() == kMaxPending) Drop(pending_.begin());
        epoll_event event{};
        event.events = EPOLLIN;
        event.data.fd = socket.Get();
        if (::epoll_ctl(events_.Get(), EPOLL_CTL_ADD, socket.Get(), &event) != 0) continue;
        pending_.push_back({std::move(socket), {}});
    }
}

std::deque<InstanceChannel::Pending>::iterator InstanceChannel::Drop(
    std::deque<Pending>::iterator pending) {
    ::epoll_ctl(events_.Get(), EPOLL_CTL_DEL, pending->socket.Get(), nullptr);
    return pending_.erase(pending);
}

}  // namespace platform
