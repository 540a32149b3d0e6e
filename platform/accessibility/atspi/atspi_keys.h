#pragma once

#include <cstdint>
#include <list>
#include <optional>
#include <string>

#include "platform/accessibility/atspi/bus_handles.h"
#include "platform/accessibility/reader_key_filter.h"

namespace platform {
class WindowSystem;
}

namespace platform::atspi {

/// Tells the registry's device event controller of every key, going down and coming up, as
/// the desktop's toolkits do (NotifyListenersSync), while a keystroke listener is registered
/// with it: that is how a screen reader hears the keys typed in the program. A key the reader
/// answers for as its own command does not reach the windows; an answer that does not come
/// within kAnswerTimeoutUs counts as "not taken". With no listener, keys reach the windows at
/// once.
class AtspiKeys {
  public:
    static constexpr uint64_t kAnswerTimeoutUs = 200'000;

    AtspiKeys(WindowSystem& system, sd_bus* bus);
    AtspiKeys(const AtspiKeys&) = delete;
    AtspiKeys& operator=(const AtspiKeys&) = delete;

    /// Follows the keystroke listeners of the registry at unique name `registry`: asks for
    /// them now and again each time the registry says one came or went.
    void FollowListenersOf(const std::string& registry);

  private:
    struct Call {
        AtspiKeys* owner;
        uint64_t ticket;
        SlotPtr slot;
        bool answered = false;
    };

    std::optional<uint64_t> Ask(const KeyEvent& event);
    static int OnAnswer(sd_bus_message* reply, void* userdata, sd_bus_error* error);
    void AskForListeners();

    sd_bus* bus_;
    std::string registry_;
    bool listened_ = false;  // a keystroke listener is registered
    SlotPtr listenerChanges_;
    SlotPtr listenersCall_;
    uint64_t nextTicket_ = 1;
    std::list<Call> calls_;
    // Last, so that it goes first: no key is asked about once the calls are gone.
    ReaderKeyFilter filter_;
};

}  // namespace platform::atspi
