#include "forms/text_box.h"

#include "forms/form.h"
#include "platform/gfx/rect_paint.h"
#include "platform/objects/ole_color.h"
#include "platform/text/draw_text.h"
#include "platform/text/font_cache.h"
#include "platform/text/utf8.h"
#include "platform/ui/keys.h"
#include "platform/ui/window_system.h"

namespace forms {
namespace {

constexpr int32_t kBorder = 2;  // the sunken edge
constexpr int32_t kMargin = 1;  // between the edge and the text
// While a drag holds the pointer beyond either side, the selection grows a character this often,
// scrolling the text, so that a text longer than the box can be selected whole.
constexpr int32_t kDragScrollTimer = 1;
constexpr int32_t kDragScrollMs = 50;

size_t NextBoundary(const std::string& text, size_t i) {
    if (i >= text.size()) return text.size();
    ++i;
    while (i < text.size() && platform::IsUtf8Continuation(text[i]))
        ++i;
    return i;
}

size_t PreviousBoundary(const std::string& text, size_t i) {
    if (i == 0) return 0;
    --i;
    while (i > 0 && platform::IsUtf8Continuation(text[i]))
        --i;
    return i;
}

size_t OnBoundary(const std::string& text, size_t i) {
    i = std::min(i, text.size());
    while (i > 0 && i < text.size() && platform::IsUtf8Continuation(text[i]))
        --i;
    return i;
}

std::string Utf8Of(int32_t codePoint) {
    std::string out;
    platform::AppendUtf8(out, static_cast<char32_t>(codePoint));
    return out;
}

// The length of the longest start the two have in common. Most often one starts with the
// other (a key appended or taken back), which one memcmp finds.
size_t CommonStart(std::string_view a, std::string_view b) {
    const size_t shorter = std::min(a.size(), b.size());
    if (a.substr(0, shorter) == b.substr(0, shorter)) return shorter;
    return static_cast<size_t>(std::mismatch(a.begin(), a.end(), b.begin(), b.end()).first -
                               a.begin());
}

}  // namespace

TextBox::TextBox(Form& form, platform::Rect bounds)
    : platform::Window(form.System(), &form, bounds), font_(form.Font()) {
    layout_.Reset(platform::LoadFont(font_), text_);
    SetFocusable(true);
    SetTakesCharacters(true);
    Show();
}

void TextBox::SetText(std::string_view text) {
    // Only what differs from the text shown is replaced and measured again.
    const size_t unchanged = CommonStart(text_, text);
    text_.replace(unchanged, std::string::npos, text.substr(unchanged));
    layout_.Update(text_, unchanged);
    caret_ = anchor_ = text_.size();
    ScrollToCaret();
    Invalidate();
}

void TextBox::SetForeColor(platform::OleColor ole) {
    foreColor_ = ole;
    Invalidate();
}

void TextBox::SetBackColor(platform::OleColor ole) {
    backColor_ = ole;
    Invalidate();
}

bool TextBox::HasRoomFor(std::string_view more) const {
    // Each byte of `more` that continues no UTF-8 sequence starts a character; so does its first
    // byte when it starts the text.
    size_t added = 0;
    for (size_t i = 0; i < more.size(); ++i) {
        if (!platform::IsUtf8Continuation(more[i]) || (i == 0 && text_.empty())) ++added;
    }
    return added <= kMaxLength && Length() <= kMaxLength - added;
}

void TextBox::SetFont(platform::FontDesc font) {
    font_ = std::move(font);
    layout_.Reset(platform::LoadFont(font_), text_);
    ScrollToCaret();
    Invalidate();
}

void TextBox::Select(size_t start, size_t length) {
    anchor_ = OnBoundary(text_, start);
    caret_ = OnBoundary(text_, anchor_ + std::min(length, text_.size() - anchor_));
    ScrollToCaret();
    Invalidate();
}

int32_t TextBox::CaretX(size_t position) const {
    // Inside a character, the bytes of it before `position` count as TextWidth measures them.
    position = std::min(position, text_.size());
    const size_t start = layout_.CharacterStart(position);
    const std::string_view inside = std::string_view(text_).substr(start, position - start);
    return kBorder + kMargin - scrollX_ + layout_.X(start) +
           platform::TextWidth(layout_.Font(), inside);
}

size_t TextBox::PositionAt(int32_t x) const {
    // The character boundary nearest to x; a tie takes the earlier one.
    return layout_.Nearest(x - CaretX(0));
}

void TextBox::ScrollToCaret() {
    const int32_t innerLeft = kBorder + kMargin;
    const int32_t innerRight = ClientWidth() - kBorder - kMargin;
    const int32_t x = CaretX(caret_);
    if (x < innerLeft) scrollX_ -= innerLeft - x;
    if (x >= innerRight) scrollX_ += x - innerRight + 1;
    scrollX_ = std::max(scrollX_, 0);
}

void TextBox::MoveCaret(size_t position, bool extend) {
    caret_ = position;
    if (!extend) anchor_ = position;
    ScrollToCaret();
    Invalidate();
}

void TextBox::ReplaceSelection(const std::string& with) {
    const size_t start = SelectionStart();
    text_.replace(start, SelectionLength(), with);
    layout_.Update(text_, start);
    caret_ = anchor_ = start + with.size();
    ScrollToCaret();
    Invalidate();
}

void TextBox::Paint(platform::Surface& surface) {
    using platform::SystemColor;
    using platform::SystemColorIndex;
    using platform::DrawnColor;
    const platform::Rect all = surface.Bounds();
    const platform::Rect inner = all.Inflate(-kBorder, -kBorder);
    platform::FillRect(surface, inner, DrawnColor(backColor_, SystemColorIndex::Window));

    const int32_t top = kBorder + kMargin;
    const int32_t bottom = top + layout_.Font().Height();
    surface.SetClip(platform::Region::FromRect(inner));
    surface.textColor = DrawnColor(foreColor_, SystemColorIndex::WindowText);
    DrawStretch(surface, 0, text_.size(), {CaretX(0), top, inner.right, bottom}, inner);
    if (HasFocus() && SelectionLength() > 0) {
        const size_t start = SelectionStart();
        const size_t end = start + SelectionLength();
        const platform::Rect band{CaretX(start), top, CaretX(end), bottom};
        platform::FillRect(surface, band, SystemColor(SystemColorIndex::Highlight));
        surface.textColor = SystemColor(SystemColorIndex::HighlightText);
        DrawStretch(surface, start, end, band, inner);
    }
    if (HasFocus()) {
        // The caret inverts one column of pixels, the height of a line.
        const int32_t x = CaretX(caret_);
        for (int32_t y = top; y < bottom && y < inner.bottom; ++y) {
            if (surface.IsVisible(x, y)) surface.SetPixel(x, y, surface.Pixel(x, y) ^ 0xFFFFFF);
        }
    }
    surface.ClearClip();

    // The sunken edge: shadow and highlight outside, dark shadow and light inside.
    const platform::Color shadow = SystemColor(SystemColorIndex::ButtonShadow);
    const platform::Color highlight = SystemColor(SystemColorIndex::ButtonHighlight);
    const platform::Color dark = SystemColor(SystemColorIndex::DarkShadow3D);
    const platform::Color light = SystemColor(SystemColorIndex::Light3D);
    const int32_t w = all.right;
    const int32_t h = all.bottom;
    platform::FillRect(surface, {0, 0, w - 1, 1}, shadow);
    platform::FillRect(surface, {0, 1, 1, h - 1}, shadow);
    platform::FillRect(surface, {0, h - 1, w, h}, highlight);
    platform::FillRect(surface, {w - 1, 0, w, h - 1}, highlight);
    platform::FillRect(surface, {1, 1, w - 2, 2}, dark);
    platform::FillRect(surface, {1, 2, 2, h - 2}, dark);
    platform::FillRect(surface, {1, h - 2, w - 1, h - 1}, light);
    platform::FillRect(surface, {w - 2, 1, w - 1, h - 2}, light);
}

void TextBox::DrawStretch(platform::Surface& surface, size_t from, size_t to,
                          const platform::Rect& rect, const platform::Rect& clip) const {
    // A stretch that starts or ends inside a character decodes apart from the text around it:
    // it is drawn whole.
    LineLayout::Run run{from, to};
    if (layout_.CharacterStart(from) == from && layout_.CharacterStart(to) == to) {
        const int32_t origin = CaretX(0);
        run = layout_.Visible(from, to, clip.left - origin,
                              std::min(rect.right, clip.right) - origin);
    }
    platform::Rect runRect{rect.left + CaretX(run.first) - CaretX(from), rect.top, rect.right,
                           rect.bottom};
    platform::DrawText(surface, layout_.Font(),
                       std::string_view(text_).substr(run.first, run.end - run.first), runRect,
                       platform::kTextSingleLine | platform::kTextNoPrefix);
}

void TextBox::OnMouseDown(int32_t button, int32_t shift, int32_t x, int32_t /*y*/) {
    if (button != platform::kButtonLeft) return;
    selecting_ = true;
    MoveCaret(PositionAt(x), (shift & platform::kShiftShift) != 0);
}

void TextBox::OnMouseMove(int32_t buttons, int32_t /*shift*/, int32_t x, int32_t /*y*/) {
    if (!selecting_ || !(buttons & platform::kButtonLeft)) return;
    MoveCaret(PositionAt(x), true);
    dragX_ = x;
    if (DragScrollStep() != 0) {
        SetTimer(kDragScrollTimer, kDragScrollMs);
    } else {
        KillTimer(kDragScrollTimer);
    }
}

int TextBox::DragScrollStep() const {
    if (dragX_ < kBorder + kMargin) return -1;
    if (dragX_ >= ClientWidth() - kBorder - kMargin) return 1;
    return 0;
}

void TextBox::OnTimer(int32_t id) {
    if (id != kDragScrollTimer) return;
    const int step = selecting_ ? DragScrollStep() : 0;
    if (step == 0) {
        KillTimer(kDragScrollTimer);
        return;
    }
    MoveCaret(step < 0 ? PreviousBoundary(text_, caret_) : NextBoundary(text_, caret_), true);
}

// A selection made by dragging is also the desktop's primary selection, as in its text fields.
void TextBox::OnMouseUp(int32_t button, int32_t /*shift*/, int32_t x, int32_t /*y*/) {
    if (button != platform::kButtonLeft || !selecting_) return;
    selecting_ = false;
    KillTimer(kDragScrollTimer);
    MoveCaret(PositionAt(x), true);
    if (SelectionLength() > 0) System().GetBackend().Clipboard().SetPrimaryText(SelectedText());
}

void TextBox::OnKeyDown(int32_t& keyCode, int32_t shift) {
    const bool extend = (shift & platform::kShiftShift) != 0;
    switch (keyCode) {
        case platform::kKeyLeft:
            if (!extend && SelectionLength() > 0) {
                MoveCaret(SelectionStart(), false);
            } else {
                MoveCaret(PreviousBoundary(text_, caret_), extend);
            }
            break;
        case platform::kKeyRight:
            if (!extend && SelectionLength() > 0) {
                MoveCaret(SelectionStart() + SelectionLength(), false);
            } else {
                MoveCaret(NextBoundary(text_, caret_), extend);
            }
            break;
        case platform::kKeyHome:
            MoveCaret(0, extend);
            break;
        case platform::kKeyEnd:
            MoveCaret(text_.size(), extend);
            break;
        case platform::kKeyDelete:
            if (SelectionLength() == 0) anchor_ = NextBoundary(text_, caret_);
            ReplaceSelection({});
            break;
        case 'C':
            if ((shift & platform::kShiftCtrl) && SelectionLength() > 0)
                System().GetBackend().SetClipboardText(SelectedText());
            break;
        default:
            break;
    }
}

void TextBox::OnKeyPress(int32_t& charCode) {
    if (keyPressFilter_) {
        // The filter may destroy the text box: nothing of it is touched after that.
        platform::WindowSystem& system = System();
        const platform::WindowHandle self = Handle();
        const std::function<void(int32_t&)> filter = keyPressFilter_;
        filter(charCode);
        if (!system.Find(self)) return;
    }
    if (charCode == 0) return;
    if (charCode == platform::kKeyBackspace) {
        if (SelectionLength() == 0) anchor_ = PreviousBoundary(text_, caret_);
        ReplaceSelection({});
        return;
    }
    // Other control characters (Enter, Escape, Ctrl+letter) do not enter a single line.
    if (charCode < 32 || charCode == 127) return;
    // A typed character is one character, in place of those selected.
    const size_t selected =
        layout_.LengthBetween(SelectionStart(), SelectionStart() + SelectionLength());
    if (Length() - selected >= kMaxLength) {
        System().GetBackend().Bell();
        return;
    }
    ReplaceSelection(Utf8Of(charCode));
}

void TextBox::OnGotFocus() {
    Invalidate();
}

void TextBox::OnLostFocus() {
    selecting_ = false;
    Invalidate();
}

platform::AccessibleDescription TextBox::Describe() const {
    using platform::AccessibleState;
    return {.role = platform::AccessibleRole::Text,
            .name = accessibleName_,
            .description = accessibleTextAsDescription_ ? text_ : std::string(),
            .states = {AccessibleState::SingleLine,
                       accessibleReadOnly_ ? AccessibleState::ReadOnly : AccessibleState::Editable},
            .text = text_,
            .caret = platform::CharacterCount(std::string_view(text_).substr(0, caret_))};
}

}  // namespace forms
