#include "platform/image/png_image_data.h"

#include <zlib.h>

#include <array>
#include <string_view>

#include "platform/bytes/byte_reader.h"
#include "platform/image/image.h"

namespace platform {
namespace {

// IHDR's fields, after the signature and the chunk's length and type.
constexpr size_t kWidthAt = 16, kHeightAt = 20, kDepthAt = 24, kColorTypeAt = 25;
constexpr size_t kInterlaceAt = 28;
constexpr size_t kFirstChunkAfterHeader = 33;

// Bytes of one row of `width` pixels: its filter byte and the packed samples.
uint64_t RowBytes(uint64_t width, uint64_t bitsPerPixel) {
    return 1 + (width * bitsPerPixel + 7) / 8;
}

// Bytes the rows of the picture take before compression. An interlaced picture is seven
// smaller ones, of every eighth pixel and so on; empty passes have no rows.
Result<uint64_t> RawSize(const ByteReader& png) {
    const uint64_t width = TRY(png.U32BigEndianAt(kWidthAt));
    const uint64_t height = TRY(png.U32BigEndianAt(kHeightAt));
    constexpr std::array<uint64_t, 7> kChannels = {1, 0, 3, 1, 2, 0, 4};  // by colour type
    const uint64_t bits = TRY(png.U8At(kDepthAt)) * kChannels.at(TRY(png.U8At(kColorTypeAt)));
    if (TRY(png.U8At(kInterlaceAt)) == 0) return height * RowBytes(width, bits);
    struct Pass {
        uint64_t x0, y0, dx, dy;
    };
    constexpr std::array<Pass, 7> kAdam7 = {{{0, 0, 8, 8},
                                             {4, 0, 8, 8},
                                             {0, 4, 4, 8},
                                             {2, 0, 4, 4},
                                             {0, 2, 2, 4},
                                             {1, 0, 2, 2},
                                             {0, 1, 1, 2}}};
    uint64_t size = 0;
    for (const Pass& pass : kAdam7) {
        if (width <= pass.x0 || height <= pass.y0) continue;
        const uint64_t passWidth = (width - pass.x0 + pass.dx - 1) / pass.dx;
        size += (height - pass.y0 + pass.dy - 1) / pass.dy * RowBytes(passWidth, bits);
    }
    return size;
}

// zlib's inflate state, ended however the check ends.
struct Inflater {
    Inflater() { inflateInit(&stream); }
    ~Inflater() { inflateEnd(&stream); }
    Inflater(const Inflater&) = delete;
    Inflater& operator=(const Inflater&) = delete;

    z_stream stream{};
};

}  // namespace

Result<void> CheckInflatedSize(std::span<const uint8_t> chunks) {
    const ByteReader png(chunks);
    const uint64_t rawSize = TRY(RawSize(png));
    Inflater inflater;
    z_stream& stream = inflater.stream;
    std::array<uint8_t, 16384> scratch;
    uint64_t inflated = 0;
    bool inData = false;  // libpng takes the image data from the first run of IDAT chunks
    for (size_t offset = kFirstChunkAfterHeader;; offset += 12 + TRY(png.U32BigEndianAt(offset))) {
        const auto type = TRY(png.BytesAt(offset + 4, 4));
        if (std::string_view(reinterpret_cast<const char*>(type.data()), 4) != "IDAT") {
            if (inData || offset + 12 == chunks.size()) return {};  // past the data, or at IEND
            continue;
        }
        inData = true;
        const auto data = TRY(png.BytesAt(offset + 8, TRY(png.U32BigEndianAt(offset))));
        stream.next_in = const_cast<Bytef*>(data.data());
        stream.avail_in = static_cast<uInt>(data.size());
        while (stream.avail_in > 0) {
            stream.next_out = scratch.data();
            stream.avail_out = scratch.size();
            const int result = inflate(&stream, Z_NO_FLUSH);
            inflated += scratch.size() - stream.avail_out;
            if (inflated > rawSize) {
                return ReadError{"PNG image data inflates to more than its rows hold"};
            }
            if (result != Z_OK) return {};  // the end of the data, or damage libpng reports
        }
    }
}

}  // namespace platform
