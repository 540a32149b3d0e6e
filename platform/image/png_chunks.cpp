#include "platform/image/png_chunks.h"

#include <zlib.h>

#include <string_view>
#include <utility>

#include "platform/bytes/byte_reader.h"
#include "platform/image/image.h"

namespace platform {
namespace {

constexpr size_t kSignatureSize = 8;

// An ancillary chunk that libpng's simplified reader takes into the pixels' colours. Of the
// colour profiles only the first counts (a file holds one at most), and it is kept because a
// known sRGB profile sets the gamma that 16-bit samples are converted with.
bool BearsOnThePixels(std::string_view type, bool& profileSeen) {
    if (type == "iCCP") return !std::exchange(profileSeen, true);
    return type == "tRNS" || type == "gAMA" || type == "cHRM" || type == "sRGB" || type == "sBIT" ||
           type == "bKGD";
}

}  // namespace

Result<std::vector<uint8_t>> ChunksToDecode(std::span<const uint8_t> file) {
    const ByteReader reader(file);
    std::vector<uint8_t> kept(file.begin(), file.begin() + kSignatureSize);
    bool profileSeen = false;
    for (size_t offset = kSignatureSize;;) {
        const uint32_t length = TRY(reader.U32BigEndianAt(offset));
        const auto typeAndData = TRY(reader.BytesAt(offset + 4, size_t{4} + length));
        const uint32_t crc = TRY(reader.U32BigEndianAt(offset + 8 + length));
        if (crc32(0, typeAndData.data(), static_cast<uInt>(typeAndData.size())) != crc) {
            return ReadError{"PNG chunk checksum mismatch"};
        }
        const std::string_view type(reinterpret_cast<const char*>(typeAndData.data()), 4);
        if (offset == kSignatureSize && type != "IHDR") {
            return ReadError{"PNG file does not start with IHDR", offset};
        }
        const size_t end = offset + 12 + length;
        // A critical chunk's type starts with a capital letter (bit 5 clear).
        if ((type[0] & 0x20) == 0 || BearsOnThePixels(type, profileSeen)) {
            kept.insert(kept.end(), file.begin() + offset, file.begin() + end);
        }
        if (type == "IEND") return kept;
        offset = end;
    }
}

}  // namespace platform
