#pragma once

// What the public face's classes hold, and the conversions between its types and the
// system's own. Only the library's sources include this header.

#include <memory>
#include <vector>

#include "button/vb_button.h"
#include "forms/container_resources.h"
#include "forms/control_site.h"
#include "forms/form.h"
#include "platform/display/desktop/desktop_backend.h"
#include "platform/ui/window_system.h"
#include "tavik/desktop.h"
#include "tavik/font.h"
#include "tavik/host_window.h"
#include "tavik/picture.h"
#include "tavik/vb_button.h"

namespace tavik {

struct Picture::Data {
    forms::PicturePtr picture;
};

struct Desktop::Parts {
    platform::DesktopBackend display;
    platform::WindowSystem system;
    /// The cursors a button may load: the pointing hand of HandPointer.
    forms::ResourceTable resources;
};

struct vbButton::Parts {
    std::unique_ptr<forms::ControlSite> site;
    button::vbButton* control = nullptr;
    std::function<void()> click;
    std::function<void(int16_t&, int16_t&, float&, float&)> mouseDown, mouseMove, mouseUp;
    std::function<void(int16_t&)> keyPress;
    std::function<void(int16_t&, int16_t&)> keyDown, keyUp;
    std::function<void()> mouseOver, mouseOut;
};

struct HostWindow::Parts {
    Desktop& desktop;
    std::unique_ptr<forms::Form> form;
    std::vector<std::unique_ptr<vbButton>> buttons;  // in the order they were added
    bool shown = false;
};

/// The access the library's sources have to the public classes' insides.
struct Internals {
    /// Opens the user's display for the program `programName`.
    static std::unique_ptr<Desktop::Parts> OpenDesktop(const std::string& programName);
    static Desktop::Parts& PartsOf(Desktop& desktop) { return *desktop.parts_; }
    static vbButton::Parts& PartsOf(vbButton& button) { return *button.parts_; }
    /// Hands the events of the button's control to the button's handlers.
    static void ConnectEvents(vbButton::Parts& parts);
    static std::unique_ptr<vbButton> MakeButton(std::unique_ptr<vbButton::Parts> parts) {
        return std::unique_ptr<vbButton>(new vbButton(std::move(parts)));
    }
    static forms::PicturePtr PictureOf(const Picture& picture) {
        return picture.data_ ? picture.data_->picture : nullptr;
    }
    static Picture MakePicture(forms::PicturePtr picture);
    /// A button of `window` at `place`: a new instance, or loaded from `settings`.
    static vbButton& AddButton(HostWindow::Parts& window, const std::string& name,
                               const Place& place, const forms::PropertyBag* settings);
};

/// The font description of a public font, and back.
platform::FontDesc DescriptionOf(const Font& font);
Font FontOf(const platform::FontDesc& description);

}  // namespace tavik
