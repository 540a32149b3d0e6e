#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>

#include "platform/ui/key_filter.h"

namespace platform {

class WindowSystem;

/// Gives every key to a screen reader before the windows see it, as the desktop's toolkits do:
/// the reader echoes what is typed, knows which key caused a change, and takes its own commands.
/// A key the reader takes never reaches the windows; the others reach them in the order they
/// came, once the reader has answered for them and for every key before them. Installs itself
/// as the window system's key filter for its lifetime.
class ReaderKeyFilter final : public KeyFilter {
  public:
    /// Sends a key to the reader and gives the ticket its answer will carry, or nullopt when
    /// it could not be sent. Every ticket given must be answered (Answered), a lost or late
    /// answer as "not taken".
    using Ask = std::function<std::optional<uint64_t>(const KeyEvent&)>;
    /// At most this many keys wait for answers; the ones beyond wait their turn unasked.
    static constexpr size_t kMaxAsked = 64;

    ReaderKeyFilter(WindowSystem& system, Ask ask);
    /// The keys still held reach the windows from the message loop.
    ~ReaderKeyFilter() override;
    ReaderKeyFilter(const ReaderKeyFilter&) = delete;
    ReaderKeyFilter& operator=(const ReaderKeyFilter&) = delete;

    bool Hold(const KeyEvent& event) override;
    void DeliverAll() override;
    /// The reader answered for `ticket`: whether it took the key. The keys whose turn has come
    /// reach the windows from the message loop, never from inside the answer.
    void Answered(uint64_t ticket, bool taken);

  private:
    struct Held {
        std::optional<uint64_t> ticket;
        KeyEvent event;
        std::optional<bool> taken;
    };

    void DeliverAnswered();
    size_t Asked() const;

    WindowSystem& system_;
    Ask ask_;
    std::deque<Held> held_;
    bool deliveryPosted_ = false;
    // Lets a posted delivery find out that the filter has gone.
    std::shared_ptr<ReaderKeyFilter*> self_ = std::make_shared<ReaderKeyFilter*>(this);
};

}  // namespace platform
