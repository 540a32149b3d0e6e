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

Picture::Picture(std::vector<uint8_t> file, int64_t maxPixels) : fileBytes_(std::move(file)) {
    switch (SniffImageFormat(fileBytes_)) {
        case ImageFormat::Bmp:
            image_ = DecodeBmp(fileBytes_, maxPixels);
            break;
        case ImageFormat::Jpeg:
            image_ = DecodeJpeg(fileBytes_, maxPixels);
            break;
        case ImageFormat::Png:
            image_ = DecodePng(fileBytes_, maxPixels);
            break;
        case ImageFormat::Ico:
        case ImageFormat::Cur: {
            IconImage shown =
                DecodeIconFileImage(fileBytes_, kPreferredIconSide, kPreferredIconSide, maxPixels);
            type_ = PictureType::Icon;
            image_ = std::move(shown.image);
            hotSpot_ = {shown.hotSpotX, shown.hotSpotY};
            break;
        }
        case ImageFormat::Unknown:
            throw DecodeError("not a picture file");
    }
}

std::shared_ptr<const Picture> LoadPicture(std::span<const uint8_t> file, int64_t maxPixels) {
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
    auto picture =
        std::make_shared<const Picture>(std::vector<uint8_t>(file.begin(), file.end()), maxPixels);
    loaded.push_back({picture, maxPixels});
    return picture;
}

}  // namespace platform
