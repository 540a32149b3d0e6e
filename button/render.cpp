#include <algorithm>

#include "button/vb_button.h"
#include "platform/objects/system_colors.h"
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
        transition.next.drawn == interaction_.drawn && captionText_ == lastDrawnCaption_;
    const bool redraws =
        transition.redraw == Redraw::Always || (transition.redraw == Redraw::IfChanged && !asDrawn);
    if (!redraws || height_ == 0 || !ready_) {
        transition.next.drawn = interaction_.drawn;
        interaction_ = transition.next;
        return;
    }
    interaction_ = transition.next;
    lastDrawnCaption_ = captionText_;
    ++redrawCount_;
    Paint();
}

void vbButton::Paint() {
    host_.surface->ClearSurface();
    // A lit button of its own colours is painted with the palette of its hover face colour.
    const bool hoverColours = interaction_.Lit() &&
                              ColorSchemeOf(colorScheme_) == ColorScheme::Own &&
                              !platform::ForcedColors();
    const PaintInput input = PaintInputFor(hoverColours ? PaletteWith(backOver_) : palette_);
    Painter painter(Surface(), input);
    painter.Paint();
    lastCaptionLook_ = painter.LastCaptionLook();
}

PaintInput vbButton::PaintInputFor(const Palette& paintPalette) const {
    PaintInput in;
    in.look = &CurrentLook();
    in.situation = !enabled_                                ? Situation::Disabled
                   : interaction_.drawn == DrawnState::Down ? Situation::Down
                                                            : Situation::Up;
    in.width = width_;
    in.height = height_;
    in.content = contentRect_;
    in.palette = paintPalette;
    in.lit = interaction_.Lit();
    in.focused = interaction_.focus;
    in.showFocusRect = showFocusRect_;
    in.isDefault = DisplayAsDefault();
    in.softBevel = softBevel_;
    in.ownColours = ColorSchemeOf(colorScheme_) == ColorScheme::Own;
    in.forcedColors = platform::ForcedColors();
    in.effect = in.forcedColors ? CaptionEffect::None : CaptionEffectOf(specialEffect_);
    in.caption.text = captionText_;
    in.caption.font = CaptionFont();
    in.caption.rect = captionLayout_.rect;
    in.caption.width = captionLayout_.width;
    in.caption.height = captionLayout_.height;
    if (in.isDefault) {
        // The default button's caption at least bold, laid out for that weight; the button's
        // own font stays as it is.
        platform::FontDesc bold = host_.window->Font();
        bold.weight = std::max<int16_t>(bold.weight, kBoldWeight);
        in.caption.defaultFont = platform::LoadFont(bold);
        in.caption.defaultRect = MeasureCaption(*in.caption.defaultFont).rect;
    }
    in.picture.normal = pictureNormal_;
    in.picture.over = pictureOver_;
    in.picture.at = picturePlace_;
    in.picture.size = pictureSize_;
    in.picture.behindCaption = PictureSideOf(picturePosition_) == PictureSide::Behind;
    in.picture.useMaskColor = useMaskColor_;
    in.picture.useGreyscale = useGreyscale_;
    in.background = backgroundSurface_ ? &*backgroundSurface_ : nullptr;
    in.previousCaptionLook = lastCaptionLook_;
    return in;
}

void vbButton::HandleResize() {
    if (capturing_) return;
    width_ = Surface().Width();
    height_ = Surface().Height();
    const Look& look = CurrentLook();
    contentRect_ = button::ContentRect(look, width_, height_);
    LayoutCaption();
    host_.window->SetShape(BuildWindowShape(look.shape, width_, height_),
                           button::WindowShapeTracer(look.shape));
    // A surface made anew for another scale needs the parent's picture at that scale.
    if (look.capturesParent && backgroundSurface_ && backgroundSurface_->Grid() != Surface().Grid())
        CaptureParentBackground();
    if (height_ != 0) RedrawUp();
}

void vbButton::OnResize() {
    HandleResize();
}

void vbButton::OnShow() {
    // The capture makes BackgroundSurface first when there is none yet.
    if (CurrentLook().capturesParent) CaptureParentBackground();
    ready_ = true;
    DerivePalette();
    RedrawUp();
}

void vbButton::OnDestroy() {
    ready_ = false;
    backgroundSurface_.reset();
}

void vbButton::DerivePalette() {
    palette_ = PaletteWith(backColor_);
}

Palette vbButton::PaletteWith(OleColor face) const {
    if (platform::ForcedColors()) return ForcedPalette(maskColor_);
    PaletteSource source;
    source.colorScheme = ColorSchemeOf(colorScheme_);
    source.backColor = face;
    source.backOver = backOver_;
    source.foreColor = foreColor_;
    source.foreOver = foreOver_;
    source.maskColor = maskColor_;
    source.faceShadeShift = CurrentLook().faceShadeShift;
    source.softBevel = softBevel_;
    // The parent's current drawing colours, read afresh at every derivation.
    if (const std::optional<forms::ParentColours> parent = host_.parent->ParentDrawingColours()) {
        source.parentBackground = parent->background;
        source.parentText = parent->text;
    }
    return button::DerivePalette(source);
}

}  // namespace button
