#include "button/looks.h"

#include <initializer_list>
#include <iterator>

#include "button/painter.h"

namespace button {
namespace {

using P = Painter;
using enum ButtonType;
using enum WindowShape;
using enum EffectBase;
using enum DisabledPicture;

constexpr Look kLooks[] = {
    {.type = Bordered, .name = "Bordered", .recipe = &P::DrawBordered, .shape = FourCorners},
    {.type = Classic, .name = "Classic", .recipe = &P::DrawClassic},
    {.type = Gradient,
     .name = "Gradient",
     .recipe = &P::DrawGradient,
     .shape = RoundedCorners,
     .captionEffectBase = FaceShade,
     .pictureEffectBase = FaceShade,
     .faceShadeShift = Shift::BlueInProportion,
     .disabledPicture = Greyscale},
    {.type = Rounded,
     .name = "Rounded",
     .recipe = &P::DrawRounded,
     .shape = RoundedCorners,
     .captionEffectBase = FaceShade,
     .pressedCaptionInLight = true},
    {.type = Outline,
     .name = "Outline",
     .recipe = &P::DrawOutline,
     .shape = TwoCorners,
     .pressedPictureShift = 0,
     .disabledPicture = Silhouette,
     .boldWhenChosenInDesign = true},
    {.type = LightBevel,
     .name = "LightBevel",
     .recipe = &P::DrawLightBevel,
     .disabledPicture = Silhouette},
    {.type = Flat, .name = "Flat", .recipe = &P::DrawFlat, .contentInset = 3},
    {.type = HoverFlat, .name = "HoverFlat", .recipe = &P::DrawHoverFlat, .contentInset = 3},
    {.type = AccentHover,
     .name = "AccentHover",
     .recipe = &P::DrawAccentHover,
     .contentInset = 3,
     .accentWhenLit = true,
     .blendsPictureWhenUp = true,
     .pressedPictureShift = 0,
     .pressedShowsPictureOver = false,
     .disabledPicture = LightSilhouette},
    {.type = PictureOnly, .name = "PictureOnly", .contentInset = 3},
    {.type = Transparent,
     .name = "Transparent",
     .recipe = &P::DrawTransparent,
     .contentInset = 3,
     .capturesParent = true},
    {.type = HoverClassic,
     .name = "HoverClassic",
     .recipe = &P::DrawHoverClassic,
     .contentInset = 3},
    {.type = Oval, .name = "Oval", .recipe = &P::DrawOval, .contentInset = 3, .shape = Ellipse},
    {.type = Glossy,
     .name = "Glossy",
     .recipe = &P::DrawGlossy,
     .contentInset = 5,
     .contentShift = 1,
     .shape = FourCorners,
     .captionEffectBase = FaceShade},
};

// Every ButtonType has its row, at the place of its number.
constexpr bool EveryTypeInOrder() {
    for (size_t i = 0; i < std::size(kLooks); ++i) {
        if (kLooks[i].type != static_cast<ButtonType>(i + 1)) return false;
    }
    return std::size(kLooks) == static_cast<size_t>(kLastButtonType);
}
static_assert(EveryTypeInOrder(), "kLooks needs one row per ButtonType, in order");

// The look of a stored number that names none.
constexpr Look kUnknownLook{};

platform::Region WithoutPixels(platform::Region shape,
                               std::initializer_list<platform::Point> pixels) {
    for (const platform::Point& p : pixels) {
        shape = shape.Difference(platform::Region::FromRect({p.x, p.y, p.x + 1, p.y + 1}));
    }
    return shape;
}

}  // namespace

std::span<const Look> Looks() {
    return kLooks;
}

const Look& LookOf(int32_t buttonType) {
    const bool known = buttonType >= 1 && buttonType <= static_cast<int32_t>(kLastButtonType);
    return known ? kLooks[buttonType - 1] : kUnknownLook;
}

platform::Rect ContentRect(const Look& look, int32_t width, int32_t height) {
    return platform::Rect{0, 0, width, height}
        .Inflate(-look.contentInset, -look.contentInset)
        .Offset(look.contentShift, look.contentShift);
}

platform::Region BuildWindowShape(WindowShape shape, int32_t w, int32_t h) {
    // A zero size must stay empty: the elliptic region of a degenerate box is a reversed
    // rectangle, which would be normalised into pixels.
    if (w <= 0 || h <= 0) return {};
    const platform::Region rect = platform::Region::FromRect({0, 0, w, h});
    switch (shape) {
        case FourCorners:
            return WithoutPixels(rect, {{0, h - 1}, {w - 1, 0}, {0, 0}, {w - 1, h - 1}});
        case TwoCorners:
            return WithoutPixels(rect, {{0, h - 1}, {w - 1, 0}});
        case RoundedCorners:
            return WithoutPixels(rect, {{0, 0},
                                        {1, 0},
                                        {0, 1},
                                        {0, h - 1},
                                        {1, h - 1},
                                        {0, h - 2},
                                        {w - 2, 0},
                                        {w - 1, 0},
                                        {w - 1, 1},
                                        {w - 2, h - 1},
                                        {w - 1, h - 1},
                                        {w - 1, h - 2}});
        case Ellipse:
            return platform::Region::Ellipse({0, 0, w, h});
        case Rectangle:
            break;
    }
    return rect;
}

platform::ShapeTracer WindowShapeTracer(WindowShape shape) {
    if (shape != Ellipse) return nullptr;
    return [](int32_t width, int32_t height) { return BuildWindowShape(Ellipse, width, height); };
}

}  // namespace button
