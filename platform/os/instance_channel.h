#pragma once

#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "platform/os/owned.h"

namespace platform {

/// How this copy of the program stands towards the others the same user started on the same
/// desktop session.
enum class InstanceRole {
    First,       // no other copy runs: this one serves the channel
    HandedOver,  // another copy runs, and took this one's startup token
    NoAnswer,    // another copy holds the channel but did not answer in time
    Unguarded,   // no private place for a channel, or no trusted one: runs without one
};

/// The channel between the copies of a program that one user runs on one desktop session: the
/// first copy serves it, a later copy hands its startup token over to the first and ends.
///
/// It lives in a directory only the user can write to (see PrivateRuntimeDirectory): a lock
/// file, <program>-<session>.lock, held with flock by the first copy, decides atomically which
/// copy is first, and the kernel releases it when that copy ends in any way, a crash included;
/// beside it, <program>-<session>.socket, the Unix socket that the first copy listens on. Nothing
/// another user does can make a copy anything but First or Unguarded.
///
/// A failure of the system itself (no sockets, a full disk) makes the copy Unguarded rather
/// than throwing: it then runs as if it were alone.
class InstanceChannel {
  public:
    static constexpr int kAnswerTimeoutMs = 2000;

    /// Joins the channel of `programName` on the desktop session `sessionName` (any text, e.g.
    /// ":0" or "/run/user/1000/wayland-0"; made into a file name) for the current user.
    /// Becomes the first copy, or hands `startupToken` (may be empty) to the first copy and
    /// waits up to `answerTimeoutMs` in all for its answer. Never throws for anything another
    /// process does.
    InstanceChannel(std::string_view programName, std::string_view sessionName,
                    std::string_view startupToken, int answerTimeoutMs = kAnswerTimeoutMs);
    /// Closes everything; the first copy also removes its socket file.
    ~InstanceChannel();

    InstanceChannel(const InstanceChannel&) = delete;
    InstanceChannel& operator=(const InstanceChannel&) = delete;

    InstanceRole Role() const { return role_; }

    /// While First: a descriptor that becomes readable (poll POLLIN) when another copy knocks
    /// or sends; -1 otherwise. The event loop polls it beside the display's connection.
    int Descriptor() const { return events_.Get(); }

    /// While First, to be called when Descriptor() is readable (spuriously too): accepts and
    /// reads without ever blocking, answers each complete request, and returns the startup
    /// tokens of the requests completed now, in order of arrival (an empty string for a copy
    /// without a token). Drops, without an answer, a connection of another user and one whose
    /// request is malformed or too long.
    std::vector<std::string> TakeRequests();

  private:
    /// An accepted connection whose request line has not come in full yet.
    struct Pending {
        OwnedFd socket;
        std::string received;
    };

    /// Listens on `socketPath` once the lock is held; false when the system does not let it.
    bool Serve(const std::string& socketPath);
    void AcceptWaiting();
    std::deque<Pending>::iterator Drop(std::deque<Pending>::iterator pending);

    InstanceRole role_ = InstanceRole::Unguarded;
    OwnedFd lock_;
    OwnedFd listener_;
    OwnedFd events_;  // an epoll set of the listener and the pending connections
    std::string socketPath_;
    std::deque<Pending> pending_;
};

}  // namespace platform
