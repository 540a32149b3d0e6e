#include "platform/ui/descriptor_watches.h"

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

void DescriptorWatches::AppendTo(std::vector<pollfd>& fds) const {
    for (const Watch& w : watches_)
        fds.push_back({w.fd, POLLIN, 0});
}

bool DescriptorWatches::RunReady(const std::vector<pollfd>& fds, size_t first) {
    std::vector<int> ready;
    for (size_t i = first; i < fds.size(); ++i)
        if (fds[i].revents & (POLLIN | POLLHUP | POLLERR)) ready.push_back(fds[i].fd);
    // Each handler is found again by its descriptor: one that ran before may have removed it.
    for (const int fd : ready) {
        const auto it = std::find_if(watches_.begin(), watches_.end(),
                                     [fd](const Watch& w) { return w.fd == fd; });
        if (it == watches_.end()) continue;
        const std::function<void()> handler = it->onReadable;
        handler();
    }
    return !ready.empty();
}

bool DescriptorWatches::RunReadyNow() {
    if (watches_.empty()) return false;
    std::vector<pollfd> fds;
    AppendTo(fds);
    if (poll(fds.data(), fds.size(), 0) <= 0) return false;
    return RunReady(fds, 0);
}

}  // namespace platform
