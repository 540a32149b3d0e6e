#pragma once

#include <functional>
#include <memory>
#include <string>

#include "button/vb_button.h"
#include "forms/control_site.h"

namespace calculator {

/// One key of the keypad as the calculator window sees it: a hosted vbButton, its Caption,
/// and one Click notification per activation. Owns the control's site.
class KeyControl {
  public:
    /// Takes a site whose control is a vbButton.
    explicit KeyControl(std::unique_ptr<forms::ControlSite> site);

    const std::string& Caption() const { return button_.Caption(); }
    /// Runs `handler` on each Click the key raises.
    void SetClickHandler(std::function<void()> handler);

    forms::ControlSite& Site() { return *site_; }
    button::vbButton& Button() { return button_; }

  private:
    std::unique_ptr<forms::ControlSite> site_;
    button::vbButton& button_;
};

}  // namespace calculator
