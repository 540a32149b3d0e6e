#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "forms/line_layout.h"
#include "platform/objects/font_desc.h"
#include "platform/objects/ole_color.h"
#include "platform/ui/window.h"

namespace forms {

class Form;

/// A single-line text box with a window of its own: a sunken 2-pixel border, the text in its
/// font and colours, a caret while it has the focus, and a selection made with the mouse or
/// Shift with the arrow, Home and End keys, shown in the highlight colours. A drag held beyond
/// a side scrolls the text; a selection made with the mouse becomes the desktop's primary
/// selection. Typed characters pass a key-press filter first, which may change them or drop
/// them by setting 0. Ctrl+C copies the selection to the clipboard. Positions in the text are
/// byte offsets of the UTF-8 text, on character boundaries but where a character typed before
/// a stray UTF-8 continuation byte that starts the text leaves the caret; a character is a
/// byte that continues no UTF-8 sequence, with the continuation bytes after it (the text's
/// first byte starts one whatever it is). As in the desktop's edit control, a typed character
/// that would make the text longer than kMaxLength characters is refused with the desktop's
/// bell.
///
/// Each edit is measured from its first changed character on, and painting draws only the
/// characters that can show: appending to a long text costs what is appended.
class TextBox : public platform::Window {
  public:
    /// The most characters the user can type into a text box, the limit of the desktop's
    /// single-line edit control. SetText is not held to it.
    static constexpr size_t kMaxLength = 32767;

    /// A shown text box in the form's font, black on white, empty.
    TextBox(Form& form, platform::Rect bounds);

    const std::string& Text() const { return text_; }
    /// Replaces the text; the caret goes to its end with nothing selected.
    void SetText(std::string_view text);
    /// The number of characters in the text.
    size_t Length() const { return layout_.Length(); }
    /// True when the text with `more` appended has at most kMaxLength characters.
    bool HasRoomFor(std::string_view more) const;
    platform::OleColor ForeColor() const { return foreColor_; }
    void SetForeColor(platform::OleColor ole);
    platform::OleColor BackColor() const { return backColor_; }
    void SetBackColor(platform::OleColor ole);
    const platform::FontDesc& Font() const { return font_; }
    void SetFont(platform::FontDesc font);

    size_t CaretPosition() const { return caret_; }
    size_t SelectionStart() const { return std::min(caret_, anchor_); }
    size_t SelectionLength() const { return std::max(caret_, anchor_) - SelectionStart(); }
    std::string SelectedText() const { return text_.substr(SelectionStart(), SelectionLength()); }
    /// Selects `length` bytes from `start` (both moved back onto character boundaries and into
    /// the text); the caret ends at the far end.
    void Select(size_t start, size_t length);

    /// Runs for each typed character before the text box uses it.
    void SetKeyPressFilter(std::function<void(int32_t& charCode)> filter) {
        keyPressFilter_ = std::move(filter);
    }

    /// The client x of the caret when it is at `position`.
    int32_t CaretX(size_t position) const;

    /// The name a screen reader speaks for the text box ("Display"); empty for none.
    void SetAccessibleName(std::string name) { accessibleName_ = std::move(name); }
    /// Tells screen readers that the text is there to be read, not edited (a display of results).
    void SetAccessibleReadOnly(bool readOnly) { accessibleReadOnly_ = readOnly; }
    /// Gives screen readers the text as the text box's description too: a reader on the text box
    /// speaks a changed description whatever caused it, which it does not do for a changed text
    /// that the user did not type (a result shown in a display that keeps the focus).
    void SetAccessibleTextAsDescription(bool on) { accessibleTextAsDescription_ = on; }
    /// A single-line text object holding the text.
    platform::AccessibleDescription Describe() const override;

    void Paint(platform::Surface& surface) override;
    void OnMouseDown(int32_t button, int32_t shift, int32_t x, int32_t y) override;
    void OnMouseMove(int32_t buttons, int32_t shift, int32_t x, int32_t y) override;
    void OnMouseUp(int32_t button, int32_t shift, int32_t x, int32_t y) override;
    void OnKeyDown(int32_t& keyCode, int32_t shift) override;
    void OnKeyPress(int32_t& charCode) override;
    void OnGotFocus() override;
    void OnLostFocus() override;
    void OnTimer(int32_t id) override;

  private:
    /// While a drag holds the pointer beyond the text's left (-1) or right (1) side, the way the
    /// selection grows; 0 inside.
    int DragScrollStep() const;
    size_t PositionAt(int32_t x) const;
    void MoveCaret(size_t position, bool extend);
    void ReplaceSelection(const std::string& with);
    void ScrollToCaret();
    /// Draws the text from byte `from` to byte `to` as DrawText draws it into `rect`, within
    /// `clip` (the surface's clip): only the characters that can show there.
    void DrawStretch(platform::Surface& surface, size_t from, size_t to, const platform::Rect& rect,
                     const platform::Rect& clip) const;

    std::string text_;
    platform::OleColor foreColor_ =
        platform::SystemColorRef(platform::SystemColorIndex::WindowText);
    platform::OleColor backColor_ = platform::SystemColorRef(platform::SystemColorIndex::Window);
    platform::FontDesc font_;
    LineLayout layout_;  // of text_ in font_
    size_t caret_ = 0;
    size_t anchor_ = 0;    // the other end of the selection
    int32_t scrollX_ = 0;  // text pixels scrolled out on the left
    bool selecting_ = false;
    int32_t dragX_ = 0;  // where a drag last had the pointer
    std::function<void(int32_t&)> keyPressFilter_;
    std::string accessibleName_;
    bool accessibleReadOnly_ = false;
    bool accessibleTextAsDescription_ = false;
};

}  // namespace forms
