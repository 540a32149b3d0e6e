#pragma once

#include <functional>
#include <string>

#include "platform/ui/window.h"

namespace forms {

/// A push button of a message box: a classic raised button with a centred caption, drawn
/// sunken while pressed, with a black frame and a focus rectangle while it has the focus.
/// It is chosen by a click, by Enter or Space while focused, or by its access letter (the
/// letter after "&" in the caption).
class MessageBoxButton : public platform::Window {
  public:
    MessageBoxButton(platform::Window& parent, platform::Rect bounds, std::string caption);

    const std::string& Caption() const { return caption_; }
    void SetChooseHandler(std::function<void()> handler) { chooseHandler_ = std::move(handler); }
    /// Escape while the button has the focus.
    void SetCancelHandler(std::function<void()> handler) { cancelHandler_ = std::move(handler); }

    void Paint(platform::Surface& surface) override;
    void OnMouseDown(int32_t button, int32_t shift, int32_t x, int32_t y) override;
    void OnMouseMove(int32_t buttons, int32_t shift, int32_t x, int32_t y) override;
    void OnMouseUp(int32_t button, int32_t shift, int32_t x, int32_t y) override;
    void OnClick() override;
    void OnKeyDown(int32_t& keyCode, int32_t shift) override;
    void OnKeyUp(int32_t& keyCode, int32_t shift) override;
    void OnAccessKey() override;
    void OnGotFocus() override;
    void OnLostFocus() override;
    /// A push button named by its caption, whose "click" action chooses it.
    platform::AccessibleDescription Describe() const override;
    void OnAccessibleAction(int32_t part, std::string_view action) override;

  private:
    void SetPressed(bool pressed);
    void Choose();

    std::string caption_;
    bool pressed_ = false;
    bool spaceDown_ = false;
    std::function<void()> chooseHandler_;
    std::function<void()> cancelHandler_;
};

}  // namespace forms
