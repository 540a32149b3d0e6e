#include <cmath>

#include "button/vb_button.h"
#include "platform/objects/picture.h"
#include "platform/text/font_cache.h"

namespace button {
namespace {

// A measured length in whole pixels: nearest integer, halves to even (the default rounding
// mode of nearbyint).
int32_t WholePixels(double pixels) {
    return static_cast<int32_t>(std::nearbyint(pixels));
}

}  // namespace

void vbButton::UpdateAccessKey() {
    host.window->SetAccessKeys(AccessKeyOf(captionText));
}

std::shared_ptr<const platform::Font> vbButton::CaptionFont() const {
    return platform::LoadFont(host.window->Font());
}

CaptionLayout vbButton::MeasureCaption(const platform::Font& font) const {
    return LayOutCaption(captionText, font, width, height, pictureSize,
                         PictureSideOf(picturePosition));
}

// The picture keeps its place while there is none to place.
void vbButton::LayoutCaption() {
    captionLayout = MeasureCaption(*CaptionFont());
    if (!pictureNormal && !pictureOver) return;
    picturePlace = PlacePicture(captionText, captionLayout.rect, width, height, pictureSize,
                                PictureSideOf(picturePosition));
}

void vbButton::MeasurePicture() {
    if (!pictureNormal) {
        pictureSize = {0, 0};
        return;
    }
    const int32_t pixelsPerInch = host.surface->PixelsPerInch();
    pictureSize = {
        WholePixels(platform::HimetricToPixels(pictureNormal->HimetricWidth(), pixelsPerInch)),
        WholePixels(platform::HimetricToPixels(pictureNormal->HimetricHeight(), pixelsPerInch))};
}

}  // namespace button
