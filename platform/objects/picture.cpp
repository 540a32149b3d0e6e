#include "platform/objects/picture.h"

#include <algorithm>
#include <utility>

namespace platform {

namespace {

constexpr int64_t kHimetricPerInch = 2540;
constexpr int64_t kPixelsPerInch = 96;
constexpr int32_t kPreferredIconSide = 32;

const IconImage& ShownIcon(const std::vector<IconImage>& icons) {
    const auto preferred = std::find_if(icons.begin(), icons.end(), [](const IconImage& icon) {
        return icon.image.width == kPreferredIconSide && icon.image.height == kPreferredIconSide;
    });
    return preferred != icons.end() ? *preferred : icons.front();
}

}  // namespace

int32_t PixelsToHimetric(int32_t pixels) {
    const int64_t product = int64_t{pixels} * kHimetricPerInch;
    const int64_t half = product < 0 ? -kPixelsPerInch / 2 : kPixelsPerInch / 2;
    return static_cast<int32_t>((product + half) / kPixelsPerInch);
}

Picture::Picture(std::vector<uint8_t> file) : fileBytes(std::move(file)) {
    switch (SniffImageFormat(fileBytes)) {
        case ImageFormat::Bmp:
            image = DecodeBmp(fileBytes);
            break;
        case ImageFormat::Jpeg:
            image = DecodeJpeg(fileBytes);
            break;
        case ImageFormat::Png:
            image = DecodePng(fileBytes);
            break;
        case ImageFormat::Ico:
        case ImageFormat::Cur: {
            const auto icons = DecodeIconFile(fileBytes);
            if (icons.empty()) throw DecodeError("icon file holds no image");
            const IconImage& shown = ShownIcon(icons);
            type = PictureType::Icon;
            image = shown.image;
            hotSpot = {shown.hotSpotX, shown.hotSpotY};
            break;
        }
        case ImageFormat::Unknown:
            throw DecodeError("not a picture file");
    }
}

std::shared_ptr<const Picture> LoadPicture(std::span<const uint8_t> file) {
    return std::make_shared<const Picture>(std::vector<uint8_t>(file.begin(), file.end()));
}

}  // namespace platform
