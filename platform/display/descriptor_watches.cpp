#include "platform/display/descriptor_watches.h"

#include <algorithm>
#include <utility>

namespace platform {

void DescriptorWatches::Add(int fd, std::function<void()> onReadable) {
    Remove(fd);
    watches_.push_back({fd, std::move(onReadable)});
}

void DescriptorWatches::Remove(int fd) {
    std::erase_if(watches_, [fd](const Watch& w) { return w.fd == fd; });
}

void DescriptorWatches::AddParticipant(WaitParticipant& participant) {
    RemoveParticipant(participant);
    participants_.push_back(&participant);
}

void DescriptorWatches::RemoveParticipant(WaitParticipant& participant) {
    std::erase(participants_, &participant);
    for (Asked& asked : asked_)
        if (asked.participant == &participant) asked.participant = nullptr;
}

int64_t DescriptorWatches::AppendTo(std::vector<pollfd>& fds) {
    for (const Watch& w : watches_)
        fds.push_back({w.fd, POLLIN, 0});
    appendedWatches_ = watches_.size();
    asked_.clear();
    int64_t deadline = kNoDeadline;
    for (WaitParticipant* participant : participants_) {
        const WaitInterest interest = participant->Interest();
        const auto events = static_cast<short>((interest.readable ? POLLIN : 0) |
                                               (interest.writable ? POLLOUT : 0));
        // A participant with nothing to wait for keeps its place with a descriptor poll ignores.
        fds.push_back({events ? interest.fd : -1, events, 0});
        asked_.push_back({participant, interest});
        deadline = std::min(deadline, interest.deadlineMs);
    }
    return deadline;
}

bool DescriptorWatches::RunReady(const std::vector<pollfd>& fds, size_t first, int64_t nowMs) {
    std::vector<int> ready;
    const size_t asked = first + appendedWatches_;
    for (size_t i = first; i < asked && i < fds.size(); ++i)
        if (fds[i].revents & (POLLIN | POLLHUP | POLLERR)) ready.push_back(fds[i].fd);
    std::vector<WaitParticipant*> due;
    for (size_t i = 0; i < asked_.size() && asked + i < fds.size(); ++i) {
        const bool woke = fds[asked + i].revents != 0 || asked_[i].interest.deadlineMs <= nowMs;
        if (woke && asked_[i].participant) due.push_back(asked_[i].participant);
    }
    // Each handler is found again by its descriptor: one that ran before may have removed it.
    bool ran = false;
    for (const int fd : ready) {
        const auto it = std::find_if(watches_.begin(), watches_.end(),
                                     [fd](const Watch& w) { return w.fd == fd; });
        if (it == watches_.end()) continue;
        const std::function<void()> handler = it->onReadable;
        handler();
        ran = true;
    }
    for (WaitParticipant* participant : due) {
        if (std::find(participants_.begin(), participants_.end(), participant) ==
            participants_.end())
            continue;
        participant->Ready();
        ran = true;
    }
    return ran;
}

bool DescriptorWatches::RunReadyNow(int64_t nowMs) {
    if (watches_.empty() && participants_.empty()) return false;
    std::vector<pollfd> fds;
    const int64_t deadline = AppendTo(fds);
    if (poll(fds.data(), fds.size(), 0) <= 0 && deadline > nowMs) return false;
    return RunReady(fds, 0, nowMs);
}

}  // namespace platform
