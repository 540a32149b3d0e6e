#include "platform/objects/picture.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace platform {

namespace {

constexpr int64_t kHimetricPerInch = 2540;
constexpr int64_t kPixelsPerInch = 96;
constexpr int32_t kPreferredIconSide = 32;

}  // namespace

int32_t PixelsToHimetric(int32_t pixels) {
    const int64_t product = int64_t{pixels} * kHimetricPerInch;
    const int64_t half = product < 0 ? -kPixelsPerInch / 2 : kPixelsPerInch / 2;
    return static_cast<int32_t>((product + half) / kPixelsPerInch);
}

double HimetricToPixels(int32_t himetric, int32_t pixelsPerInch) {
    return static_cast<double>(himetric) * pixelsPerInch / static_cast<double>(kHimetricPerInch);
}

namespace {

// What a picture file shows: its image (the top-left part asked for), its kind and a cursor's
// hot spot.
struct ShownImage {
    ImagePart part;
    PictureType type = PictureType::Bitmap;
    Point hotSpot;
};

// A whole image as a part of itself.
ImagePart Whole(Image image) {
    const int32_t width = image.width;
    const int32_t height = image.height;
    return ImagePart{std::move(image), width, height};
}

// The image `file` shows (see Picture::Decode). A JPEG decodes only its top-left `width` x
// `height` pixels; the other formats decode whole.
Result<ShownImage> DecodeShownImage(std::span<const uint8_t> file, int32_t width, int32_t height,
                                    int64_t maxPixels) {
    switch (SniffImageFormat(file)) {
        case ImageFormat::Bmp:
            return ShownImage{Whole(TRY(DecodeBmp(file, maxPixels))), PictureType::Bitmap, {}};
        case ImageFormat::Jpeg:
            return ShownImage{
                TRY(DecodeJpegTopLeft(file, width, height, maxPixels)), PictureType::Bitmap, {}};
        case ImageFormat::Png:
            return ShownImage{Whole(TRY(DecodePng(file, maxPixels))), PictureType::Bitmap, {}};
        case ImageFormat::Ico:
        case ImageFormat::Cur: {
            IconImage shown =
                TRY(DecodeIconFileImage(file, kPreferredIconSide, kPreferredIconSide, maxPixels));
            return ShownImage{
                Whole(std::move(shown.image)), PictureType::Icon, {shown.hotSpotX, shown.hotSpotY}};
        }
        case ImageFormat::Unknown:
            break;
    }
    return ReadError{"not a picture file"};
}

}  // namespace

Result<Picture> Picture::Decode(std::vector<uint8_t> file, int64_t maxPixels) {
    Picture picture;
    picture.maxPixels_ = maxPixels;
    picture.fileBytes_ = std::move(file);
    ShownImage shown =
        TRY(DecodeShownImage(picture.fileBytes_, kMaxImageSide, kMaxImageSide, maxPixels));
    picture.image_ = std::move(shown.part.image);
    picture.type_ = shown.type;
    picture.hotSpot_ = shown.hotSpot;
    return picture;
}

Result<ImagePart> DecodePictureTopLeft(std::span<const uint8_t> file, int32_t width,
                                       int32_t height) {
    return TRY(DecodeShownImage(file, width, height, kMaxImagePixels)).part;
}

const Image& Picture::IconImageFor(int32_t side) const {
    if (type_ != PictureType::Icon || side <= std::max(image_.width, image_.height)) return image_;
    if (side != sizedSide_) {
        Result<IconImage> best = DecodeIconFileImageAtLeast(fileBytes_, side, maxPixels_);
        sized_ = best.IsError() ? Image{} : std::move(best.Value().image);
        sizedSide_ = side;
    }
    return sized_.width > image_.width ? sized_ : image_;
}

Result<std::shared_ptr<const Picture>> LoadPicture(std::span<const uint8_t> file,
                                                   int64_t maxPixels) {
    struct Loaded {
        std::weak_ptr<const Picture> picture;
        int64_t maxPixels;
    };
    static std::vector<Loaded> loaded;
    std::erase_if(loaded, [](const Loaded& l) { return l.picture.expired(); });
    for (const Loaded& l : loaded) {
        std::shared_ptr<const Picture> picture = l.picture.lock();
        if (l.maxPixels == maxPixels && std::ranges::equal(picture->FileBytes(), file))
            return picture;
    }
    auto picture = std::make_shared<const Picture>(
        TRY(Picture::Decode(std::vector<uint8_t>(file.begin(), file.end()), maxPixels)));
    loaded.push_back({picture, maxPixels});
    return picture;
}

}  // namespace platform
