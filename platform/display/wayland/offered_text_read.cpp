#include "platform/display/wayland/offered_text_read.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

#include "platform/display/clipboard_limits.h"

namespace platform {

OfferedTextRead::OfferedTextRead(EventSource& events, OwnedFd readEnd,
                                 std::function<void(std::string text)> onText)
    : events_(events),
      readEnd_(std::move(readEnd)),
      onText_(std::move(onText)),
      deadlineMs_(events.NowMs() + kClipboardTransferTime.count()) {
    // Only what has come is read: the wait finds out when more does.
    fcntl(readEnd_.Get(), F_SETFL, fcntl(readEnd_.Get(), F_GETFL) | O_NONBLOCK);
    events_.AddParticipant(*this);
}

OfferedTextRead::~OfferedTextRead() {
    events_.RemoveParticipant(*this);
}

WaitInterest OfferedTextRead::Interest() {
    return {.fd = readEnd_.Get(), .readable = true, .deadlineMs = deadlineMs_};
}

void OfferedTextRead::Ready() {
    if (!Waiting()) return;
    if (events_.NowMs() >= deadlineMs_) return Finish({});
    char chunk[4096];
    for (;;) {
        const ssize_t got = read(readEnd_.Get(), chunk, sizeof chunk);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0 && errno == EAGAIN) return;
        if (got == 0) return Finish(std::move(text_));
        if (got < 0 || text_.size() + static_cast<size_t>(got) > kMaxClipboardText)
            return Finish({});
        text_.append(chunk, static_cast<size_t>(got));
    }
}

void OfferedTextRead::Finish(std::string text) {
    events_.RemoveParticipant(*this);
    readEnd_.Reset();
    text_.clear();
    // Moved out first: `onText` may start another read in place of this one, which is then
    // gone when it returns.
    const std::function<void(std::string text)> onText = std::move(onText_);
    onText(std::move(text));
}

}  // namespace platform
