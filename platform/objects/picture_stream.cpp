#include "platform/objects/picture_stream.h"

#include <algorithm>

#include "platform/bytes/byte_writer.h"

namespace platform {

namespace {

constexpr std::array<uint8_t, 4> kSignature = {0x6C, 0x74, 0x00, 0x00};
constexpr size_t kHeaderSize = 8;

// The picture in `file`, which starts `offset` bytes into the reader's bytes; a fault in it is
// reported as the stream's, at its place there.
Result<std::shared_ptr<const Picture>> DecodeAt(std::span<const uint8_t> file, size_t offset,
                                                int64_t maxPixels) {
    Result<std::shared_ptr<const Picture>> picture = LoadPicture(file, maxPixels);
    if (!picture.IsError()) return picture;
    const ReadError& error = picture.Error();
    return ReadError{"picture stream: " + error.message, offset + error.offset};
}

}  // namespace

std::vector<uint8_t> WritePictureStream(const std::shared_ptr<const Picture>& picture) {
    ByteWriter out;
    out.Append(kSignature);
    out.U32(picture ? static_cast<uint32_t>(picture->FileBytes().size()) : 0);
    if (picture) out.Append(picture->FileBytes());
    return out.Take();
}

Result<std::shared_ptr<const Picture>> ReadPictureStream(FieldReader& in, int64_t maxPixels) {
    FieldReader stream = in;
    const size_t start = stream.Pos();
    const auto rest = stream.Rest();
    const bool hasHeader = rest.size() >= kSignature.size() &&
                           std::equal(kSignature.begin(), kSignature.end(), rest.begin());
    std::shared_ptr<const Picture> picture;
    if (!hasHeader) {
        picture = TRY(DecodeAt(stream.TakeRest(), start, maxPixels));
    } else {
        constexpr char kTruncatedHeader[] = "picture stream: truncated header";
        TRY(stream.Take(kSignature.size(), kTruncatedHeader));
        const uint32_t count = TRY(stream.U32(kTruncatedHeader));
        const auto file = TRY(stream.Take(count, "picture stream: count runs past the end"));
        if (!file.empty()) picture = TRY(DecodeAt(file, start + kHeaderSize, maxPixels));
    }
    in = stream;
    return picture;
}

Result<std::shared_ptr<const Picture>> ReadPictureStream(std::span<const uint8_t> bytes,
                                                         size_t& consumed, int64_t maxPixels) {
    FieldReader in(bytes);
    auto picture = TRY(ReadPictureStream(in, maxPixels));
    consumed = in.Pos();
    return picture;
}

}  // namespace platform
