#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <variant>

namespace forms {

/// One argument of an event a control raises. The host's handler receives the arguments by
/// reference and may change them; the control reads them back after the handler returns.
using EventArgument = std::variant<int16_t, int32_t, float, bool, std::string>;

/// Where the control's events go: the host's handler.
class HostEvents {
  public:
    virtual ~HostEvents() = default;

    /// Hands event `number` (`name`) to the host's handler, which may change the arguments.
    /// Returns false when the handler destroyed the control: its caller must then return at
    /// once without touching any member.
    virtual bool RaiseEvent(int32_t number, std::string_view name,
                            std::span<EventArgument> args) = 0;
};

}  // namespace forms
