#include <stdexcept>
#include <utility>

#include "forms/stored_bag.h"
#include "library/internals.h"

namespace tavik {
namespace {

/// Twips (1440 per inch) of a length in logical pixels (96 per inch).
constexpr int32_t kTwipsPerPixel = 15;

std::unique_ptr<forms::Form> MakeForm(Desktop& desktop, const std::string& caption, int32_t width,
                                      int32_t height) {
    forms::FormDesign design;
    design.caption = caption;
    design.widthTwips = width * kTwipsPerPixel;
    design.heightTwips = height * kTwipsPerPixel;
    design.centred = true;
    platform::WindowSystem& system = Internals::PartsOf(desktop).system;
    auto form = std::make_unique<forms::Form>(system, design);
    form->SetCloseRequestHandler([&system](bool&) { system.Quit(); });
    return form;
}

}  // namespace

HostWindow::HostWindow(Desktop& desktop, const std::string& caption, int32_t width, int32_t height)
    : parts_(new Parts{desktop, MakeForm(desktop, caption, width, height), {}, false}) {}

HostWindow::~HostWindow() = default;

OleColor HostWindow::BackColor() const {
    return parts_->form->BackColor();
}

void HostWindow::SetBackColor(OleColor colour) {
    parts_->form->SetBackColor(colour);
}

vbButton& HostWindow::AddButton(const std::string& name, const Place& place) {
    return Internals::AddButton(*parts_, name, place, nullptr);
}

vbButton& HostWindow::AddButton(const std::string& name, const Place& place,
                                const std::vector<uint8_t>& settings) {
    forms::StoredBagReadResult stored = forms::ReadStoredBag(settings);
    if (stored.error) {
        throw std::invalid_argument("the settings of " + name +
                                    " do not read: " + stored.error->Describe());
    }
    return Internals::AddButton(*parts_, name, place, &stored.bag);
}

void HostWindow::Show() {
    for (const std::unique_ptr<vbButton>& button : parts_->buttons)
        Internals::PartsOf(*button).site->Show();
    parts_->shown = true;
    parts_->form->ShowForm();
}

vbButton& Internals::AddButton(HostWindow::Parts& window, const std::string& name,
                               const Place& place, const forms::PropertyBag* settings) {
    auto control = std::make_unique<button::vbButton>();
    auto parts = std::make_unique<vbButton::Parts>();
    parts->control = control.get();
    forms::AmbientProperties ambient;
    ambient.displayName = name;
    ambient.font = window.form->Font();
    parts->site = std::make_unique<forms::ControlSite>(
        *window.form, platform::Rect::FromSize(place.left, place.top, place.width, place.height),
        std::move(control), std::move(ambient), PartsOf(window.desktop).resources);
    if (settings) {
        parts->site->Load(*settings);
    } else {
        parts->site->InitNew();
    }
    ConnectEvents(*parts);
    if (window.shown) parts->site->Show();
    window.buttons.push_back(MakeButton(std::move(parts)));
    return *window.buttons.back();
}

}  // namespace tavik
