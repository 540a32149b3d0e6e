#include "forms/message_box_button.h"

#include "platform/gfx/focus_rect.h"
#include "platform/gfx/rect_paint.h"
#include "platform/objects/font_desc.h"
#include "platform/objects/ole_color.h"
#include "platform/text/access_key.h"
#include "platform/text/draw_text.h"
#include "platform/text/font_cache.h"
#include "platform/ui/keys.h"
#include "platform/ui/window_system.h"

namespace forms {
MessageBoxButton::MessageBoxButton(platform::Window& parent, platform::Rect bounds,
                                   std::string caption)
    : platform::Window(parent.System(), &parent, bounds), caption_(std::move(caption)) {
    SetFocusable(true);
    SetAccessKeys(platform::AccessKeyOf(caption_));
    Show();
}

void MessageBoxButton::Paint(platform::Surface& surface) {
    using platform::SystemColor;
    using platform::SystemColorIndex;
    const platform::Color face = SystemColor(SystemColorIndex::ButtonFace);
    const platform::Color shadow = SystemColor(SystemColorIndex::ButtonShadow);
    const platform::Color highlight = SystemColor(SystemColorIndex::ButtonHighlight);
    const platform::Color dark = SystemColor(SystemColorIndex::DarkShadow3D);
    const platform::Color light = SystemColor(SystemColorIndex::Light3D);
    const bool focused = HasFocus();
    platform::Rect r = surface.Bounds();
    platform::FillRect(surface, r, face);
    if (focused) {
        // The default button's black frame.
        platform::FrameRect(surface, r, 0x000000);
        r = r.Inflate(-1, -1);
    }
    const int32_t w = r.right;
    const int32_t h = r.bottom;
    const int32_t l = r.left;
    const int32_t t = r.top;
    if (pressed_) {
        platform::FrameRect(surface, r, shadow);
    } else {
        platform::FillRect(surface, {l, t, w - 1, t + 1}, highlight);
        platform::FillRect(surface, {l, t + 1, l + 1, h - 1}, highlight);
        platform::FillRect(surface, {l, h - 1, w, h}, dark);
        platform::FillRect(surface, {w - 1, t, w, h - 1}, dark);
        platform::FillRect(surface, {l + 1, t + 1, w - 2, t + 2}, light);
        platform::FillRect(surface, {l + 1, t + 2, l + 2, h - 2}, light);
        platform::FillRect(surface, {l + 1, h - 2, w - 1, h - 1}, shadow);
        platform::FillRect(surface, {w - 2, t + 1, w - 1, h - 2}, shadow);
    }
    const std::shared_ptr<const platform::Font> font = platform::LoadFont(platform::FontDesc{});
    const int32_t shift = pressed_ ? 1 : 0;
    platform::Rect text = surface.Bounds().Offset(shift, shift);
    surface.textColor = SystemColor(SystemColorIndex::ButtonText);
    platform::DrawText(surface, *font, caption_, text,
                       platform::kTextCenter | platform::kTextVCenter | platform::kTextSingleLine);
    if (focused) {
        surface.backgroundColor = face;
        surface.textColor = 0;
        platform::DrawFocusRect(surface, surface.Bounds().Inflate(-4, -4));
    }
}

void MessageBoxButton::SetPressed(bool pressed) {
    if (pressed == pressed_) return;
    pressed_ = pressed;
    Invalidate();
}

void MessageBoxButton::Choose() {
    if (!chooseHandler_) return;
    const std::function<void()> handler = chooseHandler_;
    handler();
}

void MessageBoxButton::OnMouseDown(int32_t button, int32_t /*shift*/, int32_t /*x*/,
                                   int32_t /*y*/) {
    if (button != platform::kButtonLeft) return;
    SetPressed(true);
}

void MessageBoxButton::OnMouseMove(int32_t buttons, int32_t /*shift*/, int32_t x, int32_t y) {
    if (!(buttons & platform::kButtonLeft)) return;
    SetPressed(platform::Rect{0, 0, ClientWidth(), ClientHeight()}.Contains({x, y}));
}

void MessageBoxButton::OnMouseUp(int32_t button, int32_t /*shift*/, int32_t /*x*/, int32_t /*y*/) {
    if (button == platform::kButtonLeft) SetPressed(false);
}

void MessageBoxButton::OnClick() {
    Choose();
}

void MessageBoxButton::OnKeyDown(int32_t& keyCode, int32_t /*shift*/) {
    if (keyCode == platform::kKeyLeft || keyCode == platform::kKeyUp ||
        keyCode == platform::kKeyRight || keyCode == platform::kKeyDown) {
        // The arrows go round the box's buttons, as Tab does.
        System().MoveFocus(keyCode == platform::kKeyLeft || keyCode == platform::kKeyUp);
    } else if (keyCode == platform::kKeyEnter) {
        Choose();
    } else if (keyCode == platform::kKeySpace) {
        spaceDown_ = true;
        SetPressed(true);
    } else if (keyCode == platform::kKeyEscape && cancelHandler_) {
        const std::function<void()> handler = cancelHandler_;
        handler();
    }
}

void MessageBoxButton::OnKeyUp(int32_t& keyCode, int32_t /*shift*/) {
    if (keyCode != platform::kKeySpace || !spaceDown_) return;
    spaceDown_ = false;
    SetPressed(false);
    Choose();
}

void MessageBoxButton::OnAccessKey() {
    Choose();
}

void MessageBoxButton::OnGotFocus() {
    Invalidate();
}

void MessageBoxButton::OnLostFocus() {
    spaceDown_ = false;
    SetPressed(false);
    Invalidate();
}

platform::AccessibleDescription MessageBoxButton::Describe() const {
    return {.role = platform::AccessibleRole::PushButton,
            .name = platform::SpokenCaption(caption_),
            .actions = {platform::kClickAction},
            .keyBinding = platform::AccessKeyBinding(caption_)};
}

void MessageBoxButton::OnAccessibleAction(int32_t part, std::string_view action) {
    if (part < 0 && action == platform::kClickAction) Choose();
}

}  // namespace forms
