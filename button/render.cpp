#include <algorithm>

#include "button/vb_button.h"
#include "platform/text/font_cache.h"

namespace button {
namespace {

constexpr int16_t kBoldWeight = 700;

}  // namespace

// The transition's state is taken whole, but its drawn state only with a paint that shows it.
// A redraw if changed that finds the drawn state and the caption as they were drawn returns at
// once, so streams of moves cost nothing; nothing is drawn before the first resize or while
// drawing is switched off.
void vbButton::Apply(Transition transition) {
    const bool asDrawn =
        transition.next.drawn == interaction.drawn && captionText == lastDrawnCaption;
    const bool redraws =
        transition.redraw == Redraw::Always || (transition.redraw == Redraw::IfChanged && !asDrawn);
    if (!redraws || height == 0 || !ready) {
        transition.next.drawn = interaction.drawn;
        interaction = transition.next;
        return;
    }
    interaction = transition.next;
    lastDrawnCaption = captionText;
    ++redrawCount;
    Paint();
}

void vbButton::Paint() {
    host.surface->ClearSurface();
    // A lit button of its own colours is painted with the palette of its hover face colour.
    const bool hoverColours = interaction.Lit() && ColorSchemeOf(colorScheme) == ColorScheme::Own;
    const PaintInput input = PaintInputFor(hoverColours ? PaletteWith(backOver) : palette);
    Painter painter(Surface(), input);
    painter.Paint();
    lastCaptionLook = painter.LastCaptionLook();
}

PaintInput vbButton::PaintInputFor(const Palette& paintPalette) const {
    PaintInput in;
    in.look = &CurrentLook();
    in.situation = !enabled                                ? Situation::Disabled
                   : interaction.drawn == DrawnState::Down ? Situation::Down
                                                           : Situation::Up;
    in.width = width;
    in.height = height;
    in.content = contentRect;
    in.palette = paintPalette;
    in.lit = interaction.Lit();
    in.focused = interaction.focus;
    in.showFocusRect = showFocusRect;
    in.isDefault = DisplayAsDefault();
    in.softBevel = softBevel;
    in.ownColours = ColorSchemeOf(colorScheme) == ColorScheme::Own;
    in.effect = CaptionEffectOf(specialEffect);
    in.caption.text = captionText;
    in.caption.font = CaptionFont();
    in.caption.rect = captionLayout.rect;
    in.caption.width = captionLayout.width;
    in.caption.height = captionLayout.height;
    if (in.isDefault) {
        // The default button's caption at least bold, laid out for that weight; the button's
        // own font stays as it is.
        platform::FontDesc bold = host.window->Font();
        bold.weight = std::max<int16_t>(bold.weight, kBoldWeight);
        in.caption.defaultFont = platform::LoadFont(bold);
        in.caption.defaultRect = MeasureCaption(*in.caption.defaultFont).rect;
    }
    in.picture.normal = pictureNormal;
    in.picture.over = pictureOver;
    in.picture.at = picturePlace;
    in.picture.size = pictureSize;
    in.picture.behindCaption = PictureSideOf(picturePosition) == PictureSide::Behind;
    in.picture.useMaskColor = useMaskColor;
    in.picture.useGreyscale = useGreyscale;
    in.background = backgroundSurface ? &*backgroundSurface : nullptr;
    in.previousCaptionLook = lastCaptionLook;
    return in;
}

void vbButton::HandleResize() {
    if (capturing) return;
    width = Surface().Width();
    height = Surface().Height();
    const Look& look = CurrentLook();
    contentRect = button::ContentRect(look, width, height);
    LayoutCaption();
    host.window->SetShape(BuildWindowShape(look.shape, width, height));
    if (height != 0) RedrawUp();
}

void vbButton::OnResize() {
    HandleResize();
}

void vbButton::OnShow() {
    // The capture makes BackgroundSurface first when there is none yet.
    if (CurrentLook().capturesParent) CaptureParentBackground();
    ready = true;
    DerivePalette();
    RedrawUp();
}

void vbButton::OnDestroy() {
    ready = false;
    backgroundSurface.reset();
}

void vbButton::DerivePalette() {
    palette = PaletteWith(backColor);
}

Palette vbButton::PaletteWith(OleColor face) const {
    PaletteSource source;
    source.colorScheme = ColorSchemeOf(colorScheme);
    source.backColor = face;
    source.backOver = backOver;
    source.foreColor = foreColor;
    source.foreOver = foreOver;
    source.maskColor = maskColor;
    source.faceShadeShift = CurrentLook().faceShadeShift;
    source.softBevel = softBevel;
    // The parent's current drawing colours, read afresh at every derivation.
    if (const std::optional<forms::ParentColours> parent = host.parent->ParentDrawingColours()) {
        source.parentBackground = parent->background;
        source.parentText = parent->text;
    }
    return button::DerivePalette(source);
}

}  // namespace button
