#include <vector>

#include "platform/objects/system_colors.h"
#include "platform/ui/window_system.h"

namespace platform {

void WindowSystem::SetDesktopAppearance(AppearanceSource source,
                                        std::optional<Appearance> appearance) {
    (source == AppearanceSource::Portal ? portalAppearance_ : settingsAppearance_) = appearance;
    const Appearance next = portalAppearance_.value_or(settingsAppearance_.value_or(Appearance{}));
    if (next == appearance_) return;
    appearance_ = next;
    UseSystemColors(TableFor(appearance_));
    // Every window is marked for painting first, so that a window which paints another while
    // it handles the change (a control taking its parent's picture) finds it in the new colours.
    // A handler may destroy windows: each is found again by its handle.
    std::vector<WindowHandle> handles;
    handles.reserve(windows_.size());
    for (const auto& [handle, window] : windows_) {
        window->Invalidate();
        handles.push_back(handle);
    }
    for (const WindowHandle handle : handles) {
        if (Window* window = Find(handle)) window->OnAppearanceChanged();
    }
}

}  // namespace platform
