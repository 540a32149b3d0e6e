#include "calculator/key_control.h"

#include <stdexcept>
#include <utility>

namespace calculator {
namespace {

button::vbButton& ButtonOf(forms::ControlSite& site) {
    auto* button = dynamic_cast<button::vbButton*>(&site.Control());
    if (!button) throw std::invalid_argument("a key must host a vbButton");
    return *button;
}

}  // namespace

KeyControl::KeyControl(std::unique_ptr<forms::ControlSite> site)
    : site_(std::move(site)), button_(ButtonOf(*this->site_)) {}

void KeyControl::SetClickHandler(std::function<void()> handler) {
    site_->SetEventHandler([handler = std::move(handler)](const forms::ControlEvent& event) {
        if (event.name == "Click" && handler) handler();
    });
}

}  // namespace calculator
