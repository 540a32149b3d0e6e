#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "platform/os/owned.h"
#include "platform/ui/backend.h"

namespace platform {

/// Reads the text another program writes into a pipe, as it comes, from inside the event
/// source's wait: `onText` runs once, with the text when the writer closes its end, or with ""
/// when the text is longer than kMaxClipboardText or has not come whole within
/// kClipboardTransferTime of the event source's clock. The read end is closed then.
class OfferedTextRead final : public WaitParticipant {
  public:
    OfferedTextRead(EventSource& events, OwnedFd readEnd,
                    std::function<void(std::string text)> onText);
    ~OfferedTextRead() override;
    OfferedTextRead(const OfferedTextRead&) = delete;
    OfferedTextRead& operator=(const OfferedTextRead&) = delete;

    /// Whether the text is still awaited.
    bool Waiting() const { return static_cast<bool>(readEnd_); }

    WaitInterest Interest() override;
    void Ready() override;

  private:
    void Finish(std::string text);

    EventSource& events_;
    OwnedFd readEnd_;
    std::function<void(std::string text)> onText_;
    int64_t deadlineMs_;
    std::string text_;
};

}  // namespace platform
