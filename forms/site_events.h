#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string_view>

#include "forms/container/events.h"
#include "platform/ui/window.h"

namespace forms {

/// An event as the host's handler sees it. `index` is the control's index in its control
/// group, nullopt for a control outside any group.
struct ControlEvent {
    int32_t number = 0;
    std::string_view name;
    std::span<EventArgument> args;
    std::optional<int32_t> index;
};

using ControlEventHandler = std::function<void(const ControlEvent&)>;

/// The events role of a control site: hands each event the control raises to the host's
/// handler, with the control's index in its control group. The handler may replace itself or
/// destroy the site; RaiseEvent learns the latter from the site's window being gone.
class SiteEvents final : public HostEvents {
  public:
    /// `window` is the site's window and must outlive the events.
    explicit SiteEvents(const platform::Window& window) : window_(window) {}

    void SetHandler(ControlEventHandler handler);
    void SetIndex(std::optional<int32_t> index) { index_ = index; }
    std::optional<int32_t> Index() const { return index_; }

    bool RaiseEvent(int32_t number, std::string_view name, std::span<EventArgument> args) override;

  private:
    const platform::Window& window_;
    // Shared, so that a handler that replaces itself or destroys the site finishes its call.
    std::shared_ptr<const ControlEventHandler> handler_;
    std::optional<int32_t> index_;
};

}  // namespace forms
