#include <cmath>

#include "button/vb_button.h"
#include "platform/objects/picture.h"
#include "platform/text/access_key.h"
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
    host_.window->SetAccessKeys(platform::AccessKeyOf(captionText_));
}

std::shared_ptr<const platform::Font> vbButton::CaptionFont() const {
    return platform::LoadFont(host_.window->Font());
}

CaptionLayout vbButton::MeasureCaption(const platform::Font& font) const {
    return LayOutCaption(captionText_, font, width_, height_, pictureSize_,
                         PictureSideOf(picturePosition_));
}

// The picture keeps its place while there is none to place.
void vbButton::LayoutCaption() {
    captionLayout_ = MeasureCaption(*CaptionFont());
    if (!pictureNormal_ && !pictureOver_) return;
    picturePlace_ = PlacePicture(captionText_, captionLayout_.rect, width_, height_, pictureSize_,
                                 PictureSideOf(picturePosition_));
}

void vbButton::MeasurePicture() {
    if (!pictureNormal_) {
        pictureSize_ = {0, 0};
        return;
    }
    const int32_t pixelsPerInch = host_.surface->PixelsPerInch();
    pictureSize_ = {
        WholePixels(platform::HimetricToPixels(pictureNormal_->HimetricWidth(), pixelsPerInch)),
        WholePixels(platform::HimetricToPixels(pictureNormal_->HimetricHeight(), pixelsPerInch))};
}

}  // namespace button
