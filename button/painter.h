#pragma once

// Painting the button: everything a redraw reads is handed in as one PaintInput, and the
// painter draws it into a surface, changing nothing else.
//
//   painter.cpp          Paint, the drawing steps of the recipes, the caption looks
//   painter_picture.cpp  the picture of each situation and its effect copies
//   style_*.cpp          the looks' recipes

#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>

#include "button/color_math.h"
#include "button/looks.h"
#include "button/paint.h"
#include "button/palette.h"
#include "button/picture_render.h"
#include "forms/property_bag.h"
#include "platform/gfx/geometry.h"
#include "platform/gfx/surface.h"
#include "platform/text/font.h"

namespace button {

/// The copies drawn under the caption's and the picture's pixels, by the stored SpecialEffect:
/// 0 or less none, 1 raised (a dark copy down-right and a light one up-left), 2 sunken (the
/// reverse), 3 and more a drop shadow (the dark copy alone).
enum class CaptionEffect { None, Raised, Sunken, DropShadow };

CaptionEffect CaptionEffectOf(int32_t specialEffect);

/// The caption's colours and places; "down" is the up rectangle moved one pixel right and down.
///
/// | look     | drawn                                                                    |
/// |----------|--------------------------------------------------------------------------|
/// | Normal   | effect copies at up, then Text at up                                     |
/// | Lit      | effect copies at up, then TextOver at up                                 |
/// | Pressed  | effect copies at down, then TextOver (Light, by the look) at down        |
/// | Engraved | Highlight at down, then Shadow at up                                     |
/// | Dimmed   | Shadow at up                                                             |
/// | Shaded   | FaceShade darkened by 104 (blue in proportion) at up                     |
/// | Embossed | Highlight at down, then Face at up                                       |
/// | Inset    | Shadow darkened by 50 at down, then Highlight at up                      |
enum class CaptionLook { Normal, Lit, Pressed, Engraved, Dimmed, Shaded, Embossed, Inset };

/// The caption as laid out for the paint.
struct CaptionPaint {
    std::string_view text;
    std::shared_ptr<const platform::Font> font;
    platform::Rect rect;  // the up copy
    int32_t width = 0;    // the measured extent
    int32_t height = 0;
    /// For the host's default button: the caption at least bold, laid out for that font, which
    /// looks that show the default draw their up caption in.
    std::shared_ptr<const platform::Font> defaultFont;
    platform::Rect defaultRect;
};

/// The pictures and their place.
struct PicturePaint {
    forms::PicturePtr normal;  // none: no picture is drawn
    forms::PicturePtr over;
    platform::Point at;
    platform::Point size;
    bool behindCaption = false;  // the caption is drawn again over it
    bool useMaskColor = true;
    bool useGreyscale = false;
};

/// Everything one redraw reads.
struct PaintInput {
    const Look* look = nullptr;
    Situation situation = Situation::Up;
    int32_t width = 0;
    int32_t height = 0;
    platform::Rect content;  // where the focus rectangle goes
    Palette palette;         // the palette of this paint (a lit button's, for own colours)
    bool lit = false;
    bool focused = false;
    bool showFocusRect = false;
    bool isDefault = false;  // the host's default button
    bool softBevel = false;
    bool ownColours = false;  // ColorScheme 2: the button's own colours
    /// The desktop forces its colours: the palette is ForcedPalette's and every look is drawn
    /// as DrawForcedColors draws it, in the look's window shape.
    bool forcedColors = false;
    CaptionEffect effect = CaptionEffect::None;
    CaptionPaint caption;
    PicturePaint picture;
    /// The Transparent look's face: the parent's picture under the button, once captured.
    const platform::Surface* background = nullptr;
    /// The caption look drawn last, by an earlier paint: a picture behind the caption draws it
    /// again when this paint draws none of its own.
    CaptionLook previousCaptionLook = CaptionLook::Normal;
};

/// Draws one redraw of the button into a surface of its client size.
class Painter {
  public:
    Painter(platform::Surface& surface, const PaintInput& input);

    /// The Face fill, the look's recipe for the situation, then the picture.
    void Paint();

    /// One look of the caption in the paint's font and rectangle; `effectBase`, when given, is
    /// the colour the effect copies are shifted from instead of the look's.
    void DrawCaption(CaptionLook look, std::optional<Color> effectBase = std::nullopt);
    /// The picture of the situation over the face and caption; the caption again on top when
    /// the picture lies behind it.
    void DrawPicture();
    /// The last caption look drawn, which a picture behind the caption draws again.
    CaptionLook LastCaptionLook() const { return lastCaptionLook_; }

    // The looks' recipes, one per ButtonType that has one (the look table names them).
    void DrawBordered();
    void DrawClassic();
    void DrawGradient();
    void DrawRounded();
    void DrawOutline();
    void DrawLightBevel();
    void DrawFlat();
    void DrawHoverFlat();
    void DrawAccentHover();
    void DrawTransparent();
    void DrawHoverClassic();
    void DrawOval();
    void DrawGlossy();
    /// Every look while the desktop forces its colours: a plain face (highlight while lit or
    /// pressed), an outline two pixels wide along the window's shape in the edge colour, the
    /// caption without effects, the focus rectangle as the button shows it.
    void DrawForcedColors();

  private:
    // Drawing steps; rectangles are left, top, width, height.
    void Fill(int32_t x, int32_t y, int32_t width, int32_t height, Color colour);
    void Frame(int32_t x, int32_t y, int32_t width, int32_t height, Color colour);
    void Ellipse(int32_t x, int32_t y, int32_t width, int32_t height, Color outline, Color fill);
    void Line(int32_t x1, int32_t y1, int32_t x2, int32_t y2, Color colour);
    void Pixel(int32_t x, int32_t y, Color colour);
    void Bevel(Color c1, Color c2, Color c3, Color c4, BevelPlace place, BevelFrames frames);
    void Corners(Color colour);
    void Gradient(Color colour, float k, Shift shift, Direction direction);
    void FocusRect();
    /// The Outline look's focus mark: a frame around the caption.
    void CaptionFocusFrame();
    /// OffsetColor with the paint's SoftBevel: even shift (Off) or blue in proportion (OffP).
    Color Off(Color colour, int32_t amount) const;
    Color OffP(Color colour, int32_t amount) const;

    void DrawCaption(CaptionLook look, const platform::Font& font, const platform::Rect& rect,
                     std::optional<Color> effectBase);
    void DrawCaptionEffect(const platform::Rect& rect, const platform::Font& font,
                           std::optional<Color> effectBase);
    void DrawCaptionText(const platform::Rect& rect, Color colour, const platform::Font& font);
    /// The up caption of a look that shows the host's default button: in its own font there.
    void DrawDefaultableCaption(CaptionLook look);
    /// The up caption's look: lit or not.
    CaptionLook UpLook() const { return in_.lit ? CaptionLook::Lit : CaptionLook::Normal; }

    void DrawPictureEffect(int32_t offset, const forms::PicturePtr& picture);
    void Composite(int32_t x, int32_t y, const forms::PicturePtr& picture, const PictureInk& ink);

    platform::Surface& surface_;
    const PaintInput& in_;
    const Palette& p_;
    CaptionLook lastCaptionLook_ = CaptionLook::Normal;
};

}  // namespace button
