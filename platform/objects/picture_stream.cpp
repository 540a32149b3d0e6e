#include "platform/objects/picture_stream.h"

#include <algorithm>

#include "platform/bytes/byte_reader.h"
#include "platform/bytes/byte_writer.h"

namespace platform {

namespace {

constexpr std::array<uint8_t, 4> kSignature = {0x6C, 0x74, 0x00, 0x00};
constexpr size_t kHeaderSize = 8;

// Why a stream that has a header and ends in the field starting at `at` cannot be read.
const char* Truncation(size_t at) {
    return at < kHeaderSize ? "picture stream: truncated header"
                            : "picture stream: count runs past the end";
}

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
    ByteWriter out;
    out.Append(kSignature);
    out.U32(picture ? static_cast<uint32_t>(picture->FileBytes().size()) : 0);
    if (picture) out.Append(picture->FileBytes());
    return out.Take();
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
    ByteReader in(bytes);
    std::span<const uint8_t> file;
    try {
        in.Skip(kSignature.size());
        file = in.Take(in.U32());
    } catch (const ByteRangeError& error) {
        throw StreamError(Truncation(error.At()), error.Offset());
    }
    std::shared_ptr<const Picture> picture;
    if (!file.empty()) picture = DecodeAt(file, kHeaderSize, maxPixels);
    consumed = in.Pos();
    return picture;
}

}  // namespace platform
