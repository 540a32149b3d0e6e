#pragma once

#include <cstdint>
#include <memory>

#include "forms/container/pointer.h"
#include "forms/container_resources.h"
#include "platform/ui/window.h"

namespace forms {

/// The pointer role of a control site: the pointer number and image the control asks for, shown
/// on the site's window, and the program's cursor resources. An icon's pointer image is made
/// once for all the controls that show it.
class SitePointer final : public ControlPointer {
  public:
    /// `window` and `resources` must outlive the pointer.
    SitePointer(platform::Window& window, const ResourceTable& resources)
        : window_(window), resources_(resources) {}

    bool PointerIsOver() const override;
    int16_t MousePointer() const override { return mousePointer_; }
    void SetMousePointer(int16_t pointer) override;
    PicturePtr MouseIcon() const override { return mouseIcon_; }
    void SetMouseIcon(PicturePtr picture) override;
    PicturePtr LoadCursorResource(int32_t id) const override;

  private:
    void Apply();

    platform::Window& window_;
    const ResourceTable& resources_;
    int16_t mousePointer_ = kPointerDefault;
    PicturePtr mouseIcon_;
    std::shared_ptr<const platform::PointerImage> pointerImage_;
};

}  // namespace forms
