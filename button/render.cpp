#include "button/vb_button.h"
#include "button/window_shape.h"

namespace button {
namespace {

// The client rectangle less the look's border.
Rect ContentRectFor(int32_t buttonType, int32_t w, int32_t h) {
    const Rect client{0, 0, w, h};
    if (buttonType == 14) return client.Inflate(-5, -5).Offset(1, 1);
    if (buttonType >= 7 && buttonType <= 13) return client.Inflate(-3, -3);
    return client.Inflate(-4, -4);
}

}  // namespace

// Repaints the whole button for one state. A call that asks for what is already drawn returns
// at once unless forced, so streams of moves cost nothing; nothing is drawn before the first
// resize or while drawing is switched off.
void vbButton::RenderButton(uint8_t state, bool force) {
    if (checkBoxBehaviour && value) state = kStateDown;
    if (!force && caption == lastDrawnCaption && state == lastDrawnState) return;
    if (height == 0 || !ready) return;
    lastDrawnState = state;
    lastDrawnCaption = caption;
    ++redrawCount;

    host->ClearSurface();
    // A lit button of scheme 2 is painted with the palette of its hover face colour.
    const bool hoverColours = hover && colorScheme == 2;
    const OleColor savedBackColor = backColor;
    if (hoverColours) {
        backColor = backOver;
        DerivePalette();
    }
    PaintRect(0, 0, width, height, palette.Face, false);
    Situation situation = Situation::Up;
    int32_t pictureLook = 0;
    if (!enabled) {
        situation = Situation::Disabled;
        pictureLook = 2;
    } else if (state == kStateDown) {
        situation = Situation::Down;
        pictureLook = 1;
    }
    DrawLook(situation);
    DrawPicture(pictureLook);
    if (hoverColours) {
        backColor = savedBackColor;
        DerivePalette();
    }
}

void vbButton::HandleResize() {
    if (capturing) return;
    const platform::Window& window = host->ControlWindow();
    width = window.ClientWidth();
    height = window.ClientHeight();
    contentRect = ContentRectFor(buttonType, width, height);
    LayoutCaption();
    host->ControlWindow().SetShape(BuildWindowShape(buttonType, width, height));
    if (height != 0) RedrawUp();
}

void vbButton::OnResize() {
    HandleResize();
}

void vbButton::OnShow() {
    // The capture makes BackgroundSurface first when there is none yet.
    if (buttonType == 11) CaptureParentBackground();
    ready = true;
    DerivePalette();
    RedrawUp();
}

void vbButton::OnDestroy() {
    ready = false;
    backgroundSurface.reset();
}

// The surface the Transparent look takes its face from, of the client size.
void vbButton::CreateBackgroundSurface() {
    backgroundSurface.emplace(width, height);
}

void vbButton::DerivePalette() {
    PaletteSource source;
    source.colorScheme = colorScheme;
    source.backColor = backColor;
    source.backOver = backOver;
    source.foreColor = foreColor;
    source.foreOver = foreOver;
    source.maskColor = maskColor;
    source.buttonType = buttonType;
    source.softBevel = softBevel;
    if (const platform::Window* parent = host->ControlWindow().Parent()) {
        // The parent's current drawing colours, read afresh at every derivation.
        source.parentBackground = parent->DrawingSurface().backgroundColor;
        source.parentText = parent->DrawingSurface().textColor;
    }
    palette = button::DerivePalette(source);
}

}  // namespace button
