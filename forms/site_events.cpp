#include "forms/site_events.h"

#include <utility>

#include "platform/ui/window_system.h"

namespace forms {

void SiteEvents::SetHandler(ControlEventHandler handler) {
    handler_ = handler ? std::make_shared<const ControlEventHandler>(std::move(handler)) : nullptr;
}

bool SiteEvents::RaiseEvent(int32_t number, std::string_view name, std::span<EventArgument> args) {
    if (!handler_) return true;
    // The handler may destroy the site and these events with it: the window is looked up by
    // handle afterwards.
    platform::WindowSystem& system = window_.System();
    const platform::WindowHandle handle = window_.Handle();
    const std::shared_ptr<const ControlEventHandler> handler = handler_;
    (*handler)(ControlEvent{number, name, args, index_});
    return system.Find(handle) != nullptr;
}

}  // namespace forms
