#pragma once

#include <functional>
#include <string>

#include "forms/light_control.h"
#include "platform/objects/font_desc.h"
#include "platform/objects/ole_color.h"

namespace forms {

enum class Alignment { Left, Right, Center };

/// A caption painted on the form. Its text wraps at spaces to the label's width; each line is
/// aligned left, right or centred; "&x" underlines x and "&&" shows one "&". With a transparent
/// background only the glyph pixels change; an opaque label first fills its rectangle with its
/// back colour. Text is clipped to the label's rectangle.
class Label : public LightControl {
  public:
    /// A label in the form's font, black text on the form's background, opaque, left-aligned.
    Label(Form& form, platform::Rect bounds, std::string caption = {});
    /// Closes the label's font unless something else holds it: a label goes with its form,
    /// whose text is not drawn again soon.
    ~Label() override;

    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string caption);
    platform::OleColor ForeColor() const { return foreColor_; }
    void SetForeColor(platform::OleColor ole);
    platform::OleColor BackColor() const { return backColor_; }
    void SetBackColor(platform::OleColor ole);
    void SetTransparent(bool transparent);
    const platform::FontDesc& Font() const { return font_; }
    void SetFont(platform::FontDesc font);
    void SetAlignment(Alignment alignment);
    void SetClickHandler(std::function<void()> handler) { clickHandler_ = std::move(handler); }
    /// What a screen reader takes the label for: a label (the default), or a push button for one
    /// that acts when clicked, whose "click" action clicks it.
    void SetAccessibleRole(platform::AccessibleRole role) { accessibleRole_ = role; }
    /// The keyboard key that clicks the label, which a screen reader names ("F1"); empty for
    /// none.
    void SetAccessibleShortcut(std::string shortcut) { accessibleShortcut_ = std::move(shortcut); }

    void Paint(platform::Surface& surface, platform::Point origin) const override;
    bool TakesMouse() const override { return true; }
    void OnClick() override;
    platform::AccessibleDescription Describe() const override;
    void OnAccessibleAction(std::string_view action) override;

  private:
    std::string caption_;
    platform::OleColor foreColor_ =
        platform::SystemColorRef(platform::SystemColorIndex::ButtonText);
    platform::OleColor backColor_;
    bool transparent_ = false;
    platform::FontDesc font_;
    Alignment alignment_ = Alignment::Left;
    std::function<void()> clickHandler_;
    platform::AccessibleRole accessibleRole_ = platform::AccessibleRole::Label;
    std::string accessibleShortcut_;
};

}  // namespace forms
