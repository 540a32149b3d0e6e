#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "platform/bytes/result.h"
#include "platform/gfx/geometry.h"
#include "platform/image/image.h"

namespace platform {

/// HIMETRIC units (0.01 mm) of a length in pixels at 96 dots per inch: pixels × 2540 / 96
/// rounded to the nearest integer, halves away from zero (8 px → 212, 32 px → 847).
int32_t PixelsToHimetric(int32_t pixels);

/// Pixels of a HIMETRIC length at `pixelsPerInch` dots per inch, unrounded: himetric ×
/// pixelsPerInch / 2540 (873 at 96 dots per inch → 32.995...).
double HimetricToPixels(int32_t himetric, int32_t pixelsPerInch);

/// What a picture holds. A picture that holds nothing is a null picture pointer.
enum class PictureType { Bitmap, Icon };

/// A picture made from an image file: BMP, JPEG and PNG files make bitmaps, ICO and CUR files
/// icons. It keeps the file's bytes, which is what it saves, and the decoded pixels of the one
/// image it shows. Pictures are immutable and shared by reference.
class Picture {
  public:
    /// Decodes `file` into at most `maxPixels` pixels. An icon or cursor file with several
    /// images shows the one its directory gives as 32 × 32, or its first when it lists none of
    /// that size; only that image is decoded. Fails when the file is not one of the formats
    /// above, does not decode or is over the budget, with the decoder's error.
    static Result<Picture> Decode(std::vector<uint8_t> file, int64_t maxPixels = kMaxImagePixels);

    PictureType Type() const { return type_; }
    const std::vector<uint8_t>& FileBytes() const { return fileBytes_; }
    /// The pixels shown, 0xAABBGGRR, rows top-down.
    const Image& Pixels() const { return image_; }
    int32_t Width() const { return image_.width; }
    int32_t Height() const { return image_.height; }
    int32_t HimetricWidth() const { return PixelsToHimetric(image_.width); }
    int32_t HimetricHeight() const { return PixelsToHimetric(image_.height); }
    /// The hot spot of a cursor image; (0, 0) for icons and bitmaps.
    Point HotSpot() const { return hotSpot_; }
    /// For an icon shown `side` device pixels wide (at a desktop's scale), the image of its file
    /// that serves that size best (DecodeIconFileImageAtLeast), decoded on first use and kept
    /// for the side last asked; the shown image for a bitmap, or when the file has none larger.
    const Image& IconImageFor(int32_t side) const;

  private:
    Picture() = default;

    int64_t maxPixels_ = kMaxImagePixels;
    mutable int32_t sizedSide_ = 0;
    mutable Image sized_;

    PictureType type_ = PictureType::Bitmap;
    std::vector<uint8_t> fileBytes_;
    Image image_;
    Point hotSpot_;
};

/// A shared picture made from a copy of `file`; fails as Picture::Decode does. While a picture
/// loaded from the same bytes (and budget) lives, that one is given again: the keys of a form
/// that all carry the same pointer image keep one decoded copy of it.
Result<std::shared_ptr<const Picture>> LoadPicture(std::span<const uint8_t> file,
                                                   int64_t maxPixels = kMaxImagePixels);

/// The pixels a Picture made from `file` shows, decoded for a place that shows only their
/// top-left `width` x `height` (at least one each way), with the size of the whole: a JPEG
/// decodes just that part; other formats decode whole. Fails as Picture::Decode does.
Result<ImagePart> DecodePictureTopLeft(std::span<const uint8_t> file, int32_t width,
                                       int32_t height);

}  // namespace platform
