#include "platform/objects/picture_stream.h"

#include <algorithm>

namespace platform {

namespace {

constexpr std::array<uint8_t, 4> kSignature = {0x6C, 0x74, 0x00, 0x00};
constexpr size_t kHeaderSize = 8;
constexpr size_t kCountAt = 4;

// The picture in `file`, which starts `offset` bytes into the stream; a fault in it is
// reported at its place in the stream.
std::shared_ptr<const Picture> DecodeAt(std::span<const uint8_t> file, size_t offset,
                                        int64_t maxPixels) {
    try {
        return LoadPicture(file, maxPixels);
    } catch (const DecodeError& error) {
        throw StreamError(std::string("picture stream: ") + error.what(), offset + error.Offset());
    }
}

}  // namespace

std::vector<uint8_t> WritePictureStream(const std::shared_ptr<const Picture>& picture) {
    const size_t count = picture ? picture->FileBytes().size() : 0;
    std::vector<uint8_t> out(kSignature.begin(), kSignature.end());
    out.reserve(kHeaderSize + count);
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<uint8_t>(count >> (8 * i)));
    if (picture) out.insert(out.end(), picture->FileBytes().begin(), picture->FileBytes().end());
    return out;
}

std::shared_ptr<const Picture> ReadPictureStream(std::span<const uint8_t> bytes, size_t& consumed,
                                                 int64_t maxPixels) {
    const bool hasHeader = bytes.size() >= kSignature.size() &&
                           std::equal(kSignature.begin(), kSignature.end(), bytes.begin());
    if (!hasHeader) {
        auto picture = DecodeAt(bytes, 0, maxPixels);
        consumed = bytes.size();
        return picture;
    }
    if (bytes.size() < kHeaderSize) {
        throw StreamError("picture stream: truncated header", bytes.size());
    }
    size_t count = 0;
    for (size_t i = 0; i < 4; ++i)
        count |= size_t{bytes[kCountAt + i]} << (8 * i);
    if (count > bytes.size() - kHeaderSize) {
        throw StreamError("picture stream: count runs past the end", bytes.size());
    }
    std::shared_ptr<const Picture> picture;
    if (count > 0) picture = DecodeAt(bytes.subspan(kHeaderSize, count), kHeaderSize, maxPixels);
    consumed = kHeaderSize + count;
    return picture;
}

}  // namespace platform
