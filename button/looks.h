#pragma once

// The fourteen looks of the button, one table row each: everything that differs by look lives
// in its row, and the rest of the control asks the row instead of testing the look's number.

#include <cstdint>

#include "platform/gfx/geometry.h"
#include "platform/gfx/region.h"

namespace button {

class Painter;

/// The looks by their stored number. A stored number outside 1..14 is kept as it is and drawn
/// as the face fill and the picture alone.
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

/// One look.
struct Look {
    /// Draws the face, frame and caption of the situation over the Face fill; null for a look
    /// of the face fill and the picture alone.
    void (Painter::*recipe)();
    /// The content rectangle, where the focus rectangle goes: the client less `contentInset`
    /// on every side, then moved `contentShift` right and down.
    int32_t contentInset;
    int32_t contentShift;
    WindowShape shape;
    EffectBase captionEffectBase;
    EffectBase pictureEffectBase;
    /// FaceShade shifts blue in proportion, as the look's shaded face does.
    bool proportionalFaceShade;
    /// The pressed caption is drawn in Light instead of TextOver.
    bool pressedCaptionInLight;
    /// Lit, the effect copies of the caption and the picture take AccentLight as their base
    /// (unless the colours are the button's own), and the picture rises above its shadow.
    bool accentWhenLit;
    /// The picture of an up, unlit button is blended with the face under it.
    bool blendsPictureWhenUp;
    /// How far a press moves the picture right and down, and whether it shows PictureOver.
    int32_t pressedPictureShift;
    bool pressedShowsPictureOver;
    DisabledPicture disabledPicture;
    /// The face is the parent's picture under the button, captured when shown.
    bool capturesParent;
    /// Chosen while the form is designed, the look makes the caption's font bold.
    bool boldWhenChosenInDesign;
};

/// The row of a stored ButtonType; a number outside 1..14 gets the row of a look without a
/// recipe.
const Look& LookOf(int32_t buttonType);

/// The content rectangle of a look at a client size.
platform::Rect ContentRect(const Look& look, int32_t width, int32_t height);

/// The window shape of a rule at a client size; a width or height of 0 gives an empty region.
platform::Region BuildWindowShape(WindowShape shape, int32_t width, int32_t height);

}  // namespace button
