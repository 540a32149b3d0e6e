#include "platform/accessibility/reader_key_filter.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "platform/ui/window_system.h"

namespace platform {

ReaderKeyFilter::ReaderKeyFilter(WindowSystem& system, Ask ask)
    : system_(system), ask_(std::move(ask)) {
    system_.SetKeyFilter(this);
}

ReaderKeyFilter::~ReaderKeyFilter() {
    system_.SetKeyFilter(nullptr);
    std::vector<KeyEvent> untaken;
    for (const Held& held : held_)
        if (!held.taken.value_or(false)) untaken.push_back(held.event);
    if (untaken.empty()) return;
    WindowSystem& system = system_;
    system_.Post([&system, untaken = std::move(untaken)] {
        for (const KeyEvent& event : untaken)
            system.DeliverKey(event);
    });
}

size_t ReaderKeyFilter::Asked() const {
    return static_cast<size_t>(std::count_if(
        held_.begin(), held_.end(), [](const Held& held) { return held.ticket && !held.taken; }));
}

bool ReaderKeyFilter::Hold(const KeyEvent& event) {
    const std::optional<uint64_t> ticket =
        Asked() < kMaxAsked ? ask_(event) : std::optional<uint64_t>();
    // A key the reader was not asked about waits only for the keys before it.
    if (!ticket && held_.empty()) return false;
    held_.push_back({ticket, event, ticket ? std::optional<bool>() : std::optional<bool>(false)});
    return true;
}

void ReaderKeyFilter::DeliverAll() {
    std::deque<Held> held = std::move(held_);
    held_.clear();
    for (const Held& key : held)
        if (!key.taken.value_or(false)) system_.DeliverKey(key.event);
}

void ReaderKeyFilter::Answered(uint64_t ticket, bool taken) {
    const auto found = std::find_if(held_.begin(), held_.end(),
                                    [&](const Held& held) { return held.ticket == ticket; });
    if (found == held_.end()) return;
    found->taken = taken;
    if (deliveryPosted_ || !held_.front().taken) return;
    deliveryPosted_ = true;
    system_.Post([weak = std::weak_ptr<ReaderKeyFilter*>(self_)] {
        if (const std::shared_ptr<ReaderKeyFilter*> self = weak.lock()) (*self)->DeliverAnswered();
    });
}

// A delivered key may run a modal loop that takes in further keys and answers: each key leaves
// the queue before it is delivered, and the queue is looked at again after each.
void ReaderKeyFilter::DeliverAnswered() {
    deliveryPosted_ = false;
    while (!held_.empty() && held_.front().taken) {
        const Held key = std::move(held_.front());
        held_.pop_front();
        if (!*key.taken) system_.DeliverKey(key.event);
    }
}

}  // namespace platform
