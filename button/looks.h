#pragma once

// The fourteen looks of the button, one table row each: everything that differs by look lives
// in its row, and the rest of the control asks the row instead of testing the look's number.

#include <cstdint>
#include <span>
#include <string_view>

#include "button/color_math.h"
#include "platform/gfx/geometry.h"
#include "platform/gfx/region.h"
#include "platform/ui/window.h"

namespace button {

class Painter;

/// The looks by their stored number. A stored number outside 1..14 is kept as it is and drawn
/// as the face fill and the picture alone. A new look takes the next number, and becomes
/// kLastButtonType.
enum class ButtonType : int32_t {
    Bordered = 1,
    Classic,
    Gradient,
    Rounded,
    Outline,
    LightBevel,
    Flat,
    HoverFlat,
    AccentHover,
    PictureOnly,
    Transparent,
    HoverClassic,
    Oval,
    Glossy,
};
constexpr ButtonType kLastButtonType = ButtonType::Glossy;

/// The situation a look is drawn for.
enum class Situation { Up, Down, Disabled };

/// Which pixels of the client rectangle the button's window keeps.
///
/// | rule           | pixels removed                                                      |
/// |----------------|---------------------------------------------------------------------|
/// | Rectangle      | none                                                                |
/// | FourCorners    | the four corners                                                    |
/// | TwoCorners     | the bottom-left and top-right corners                               |
/// | RoundedCorners | three at each corner: the corner and its two neighbours on the edges |
/// | Ellipse        | all outside the ellipse inscribed in the client rectangle           |
enum class WindowShape { Rectangle, FourCorners, TwoCorners, RoundedCorners, Ellipse };

/// The palette slot that the raised, sunken and shadow copies of the caption or the picture
/// are shifted from.
enum class EffectBase { Face, FaceShade };

/// How a disabled button shows its picture: Engraved as a light silhouette one pixel
/// down-right under a dark one; Silhouette as one Shadow silhouette of its dark pixels;
/// LightSilhouette the same a little lighter; Greyscale as its grey, one pixel down-right.
enum class DisabledPicture { Engraved, Silhouette, LightSilhouette, Greyscale };

/// One look. A row names what sets its look apart; every other field keeps the value here, the
/// plain look's.
struct Look {
    /// The look's stored number and the name it goes by; neither for the look of a number that
    /// names none.
    ButtonType type{};
    std::string_view name;
    /// Draws the face, frame and caption of the situation over the Face fill; null for a look
    /// of the face fill and the picture alone.
    void (Painter::*recipe)() = nullptr;
    /// The content rectangle, where the focus rectangle goes: the client less `contentInset`
    /// on every side, then moved `contentShift` right and down.
    int32_t contentInset = 4;
    int32_t contentShift = 0;
    WindowShape shape = WindowShape::Rectangle;
    EffectBase captionEffectBase = EffectBase::Face;
    EffectBase pictureEffectBase = EffectBase::Face;
    /// How FaceShade is shifted from Face: evenly, or blue in proportion as the look's shaded
    /// face is.
    Shift faceShadeShift = Shift::Even;
    /// The pressed caption is drawn in Light instead of TextOver.
    bool pressedCaptionInLight = false;
    /// Lit, the effect copies of the caption and the picture take AccentLight as their base
    /// (unless the colours are the button's own), and the picture rises above its shadow.
    bool accentWhenLit = false;
    /// The picture of an up, unlit button is blended with the face under it.
    bool blendsPictureWhenUp = false;
    /// How far a press moves the picture right and down, and whether it shows PictureOver.
    int32_t pressedPictureShift = 1;
    bool pressedShowsPictureOver = true;
    DisabledPicture disabledPicture = DisabledPicture::Engraved;
    /// The face is the parent's picture under the button, captured when shown.
    bool capturesParent = false;
    /// Chosen while the form is designed, the look makes the caption's font bold.
    bool boldWhenChosenInDesign = false;
};

/// Every look, in the order of its ButtonType from 1.
std::span<const Look> Looks();

/// The row of a stored ButtonType; a number outside 1..14 gets the row of a look without a
/// recipe.
const Look& LookOf(int32_t buttonType);

/// The content rectangle of a look at a client size.
platform::Rect ContentRect(const Look& look, int32_t width, int32_t height);

/// The window shape of a rule at a client size; a width or height of 0 gives an empty region.
platform::Region BuildWindowShape(WindowShape shape, int32_t width, int32_t height);

/// How a shape with curves is traced on the device pixels, so that at a desktop scale its edge
/// is as smooth as the device allows: the ellipse inscribed in the device pixels; null for the
/// shapes of whole pixels, whose device pixels are those of their pixels.
platform::ShapeTracer WindowShapeTracer(WindowShape shape);

}  // namespace button
