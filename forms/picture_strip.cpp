#include "forms/picture_strip.h"

#include "forms/form.h"
#include "platform/gfx/draw_image.h"
#include "platform/gfx/rect_paint.h"
#include "platform/objects/ole_color.h"

namespace forms {
namespace {

// Nearest-pixel scaling of a plane of `source`: target pixel (x, y) takes source pixel
// (x * sw / w, y * sh / h).
std::vector<uint32_t> StretchPlane(const std::vector<uint32_t>& plane,
                                   const platform::Image& source, int32_t width, int32_t height) {
    std::vector<uint32_t> out(static_cast<size_t>(width) * static_cast<size_t>(height));
    for (int32_t y = 0; y < height; ++y) {
        const int64_t sy = static_cast<int64_t>(y) * source.height / height;
        for (int32_t x = 0; x < width; ++x) {
            const int64_t sx = static_cast<int64_t>(x) * source.width / width;
            out[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)] =
                plane[static_cast<size_t>(sy * source.width + sx)];
        }
    }
    return out;
}

// The image scaled to width x height, the inverting pixels of an icon with it.
platform::Image Stretch(const platform::Image& source, int32_t width, int32_t height) {
    platform::Image out{width, height, StretchPlane(source.pixels, source, width, height)};
    if (!source.invert.empty()) out.invert = StretchPlane(source.invert, source, width, height);
    return out;
}

}  // namespace

PictureStrip::PictureStrip(Form& form, platform::Rect bounds)
    : platform::Window(form.System(), &form, bounds) {
    Show();
}

void PictureStrip::SetBackColor(platform::OleColor ole) {
    backColor_ = ole;
    Invalidate();
}

void PictureStrip::SetPicture(std::shared_ptr<const platform::Picture> picture) {
    picture_ = std::move(picture);
    Invalidate();
}

void PictureStrip::SetStretched(bool stretched) {
    stretched_ = stretched;
    Invalidate();
}

void PictureStrip::Paint(platform::Surface& surface) {
    platform::FillRect(surface, surface.Bounds(), platform::DrawnColor(backColor_, platform::SystemColorIndex::Window));
    if (!picture_ || picture_->Width() <= 0 || picture_->Height() <= 0) return;
    if (!stretched_) {
        platform::DrawImage(surface, {0, 0}, picture_->Pixels());
    } else if (surface.Width() > 0 && surface.Height() > 0) {
        platform::DrawImage(surface, {0, 0},
                            Stretch(picture_->Pixels(), surface.Width(), surface.Height()));
    }
}

}  // namespace forms
