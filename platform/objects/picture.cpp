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

Result<Picture> Picture::Decode(std::vector<uint8_t> file, int64_t maxPixels) {
    Picture picture;
    picture.maxPixels_ = maxPixels;
    picture.fileBytes_ = std::move(file);
    const std::span<const uint8_t> bytes = picture.fileBytes_;
    switch (SniffImageFormat(bytes)) {
        case ImageFormat::Bmp:
            picture.image_ = TRY(DecodeBmp(bytes, maxPixels));
            break;
        case ImageFormat::Jpeg:
            picture.image_ = TRY(DecodeJpeg(bytes, maxPixels));
            break;
        case ImageFormat::Png:
            picture.image_ = TRY(DecodePng(bytes, maxPixels));
            break;
        case ImageFormat::Ico:
        case ImageFormat::Cur: {
            IconImage shown =
                TRY(DecodeIconFileImage(bytes, kPreferredIconSide, kPreferredIconSide, maxPixels));
            picture.type_ = PictureType::Icon;
            picture.image_ = std::move(shown.image);
            picture.hotSpot_ = {shown.hotSpotX, shown.hotSpotY};
            break;
        }
        case ImageFormat::Unknown:
            return ReadError{"not a picture file"};
    }
    return picture;
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
