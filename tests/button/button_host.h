#pragma once

#include <memory>
#include <string>
#include <vector>

#include "button/vb_button.h"
#include "forms/control_site.h"
#include "platform/display/headless/headless_backend.h"
#include "platform/image/image.h"
#include "platform/objects/picture.h"
#include "platform/ui/window_system.h"

namespace button {

/// A form window on the headless backend hosting one vbButton through a real control site,
/// with the program's hand cursor among the resources.
class ButtonHost {
  public:
    explicit ButtonHost(bool userMode = true, platform::Rect bounds = {10, 10, 85, 35})
        : system(backend), form(system, nullptr, {100, 100, 400, 300}) {
        resources.AddCursor(vbButton::kHandCursorId, HandCursor());
        forms::AmbientProperties ambient;
        ambient.displayName = "vbButton1";
        ambient.font.name = "Arial";
        ambient.font.sizeCy = 90000;
        ambient.userMode = userMode;
        auto control = std::make_unique<vbButton>();
        button = control.get();
        site = std::make_unique<forms::ControlSite>(form, bounds, std::move(control), ambient,
                                                    resources);
        form.Show();
    }

    static forms::PicturePtr HandCursor() {
        platform::IconImage hand;
        hand.image = platform::Image{32, 32, std::vector<uint32_t>(32 * 32, 0xFF000000)};
        hand.hotSpotX = 5;
        hand.bitCount = 1;
        return platform::LoadPicture(platform::EncodeIconFile({&hand, 1}, true).Value()).Value();
    }

    static forms::PicturePtr Icon16() {
        platform::IconImage icon;
        icon.image = platform::Image{16, 16, std::vector<uint32_t>(16 * 16, 0xFF0000FF)};
        icon.bitCount = 32;
        return platform::LoadPicture(platform::EncodeIconFile({&icon, 1}, false).Value()).Value();
    }

    platform::HeadlessBackend backend;
    platform::WindowSystem system;
    platform::Window form;
    forms::ResourceTable resources;
    std::unique_ptr<forms::ControlSite> site;
    vbButton* button = nullptr;
};

}  // namespace button
