#include "button/looks.h"

#include <initializer_list>

#include "button/painter.h"

namespace button {
namespace {

using P = Painter;
using enum WindowShape;
using enum EffectBase;
using enum DisabledPicture;

// clang-format off
constexpr Look kLooks[] = {
    // recipe          inset shift shape      caption    picture    propor- pressed accent blend  press over  disabled         capture bold
    //                                        effect     effect     tional  light   lit    up     shift
    {&P::DrawBordered,     4, 0, FourCorners,    Face,      Face,      false, false, false, false, 1, true,  Engraved,        false, false},
    {&P::DrawClassic,      4, 0, Rectangle,      Face,      Face,      false, false, false, false, 1, true,  Engraved,        false, false},
    {&P::DrawGradient,     4, 0, RoundedCorners, FaceShade, FaceShade, true,  false, false, false, 1, true,  Greyscale,       false, false},
    {&P::DrawRounded,      4, 0, RoundedCorners, FaceShade, Face,      false, true,  false, false, 1, true,  Engraved,        false, false},
    {&P::DrawOutline,      4, 0, TwoCorners,     Face,      Face,      false, false, false, false, 0, true,  Silhouette,      false, true},
    {&P::DrawLightBevel,   4, 0, Rectangle,      Face,      Face,      false, false, false, false, 1, true,  Silhouette,      false, false},
    {&P::DrawFlat,         3, 0, Rectangle,      Face,      Face,      false, false, false, false, 1, true,  Engraved,        false, false},
    {&P::DrawHoverFlat,    3, 0, Rectangle,      Face,      Face,      false, false, false, false, 1, true,  Engraved,        false, false},
    {&P::DrawAccentHover,  3, 0, Rectangle,      Face,      Face,      false, false, true,  true,  0, false, LightSilhouette, false, false},
    {nullptr,              3, 0, Rectangle,      Face,      Face,      false, false, false, false, 1, true,  Engraved,        false, false},
    {&P::DrawTransparent,  3, 0, Rectangle,      Face,      Face,      false, false, false, false, 1, true,  Engraved,        true,  false},
    {&P::DrawHoverClassic, 3, 0, Rectangle,      Face,      Face,      false, false, false, false, 1, true,  Engraved,        false, false},
    {&P::DrawOval,         3, 0, Ellipse,        Face,      Face,      false, false, false, false, 1, true,  Engraved,        false, false},
    {&P::DrawGlossy,       5, 1, FourCorners,    FaceShade, Face,      false, false, false, false, 1, true,  Engraved,        false, false},
};
constexpr Look kUnknownLook =
    {nullptr,              4, 0, Rectangle,      Face,      Face,      false, false, false, false, 1, true,  Engraved,        false, false};
// clang-format on

platform::Region WithoutPixels(platform::Region shape,
                               std::initializer_list<platform::Point> pixels) {
    for (const platform::Point& p : pixels) {
        shape = shape.Difference(platform::Region::FromRect({p.x, p.y, p.x + 1, p.y + 1}));
    }
    return shape;
}

}  // namespace

const Look& LookOf(int32_t buttonType) {
    const bool known = buttonType >= static_cast<int32_t>(ButtonType::Bordered) &&
                       buttonType <= static_cast<int32_t>(ButtonType::Glossy);
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

}  // namespace button
