// BMP files: the 14-byte file header around a device-independent bitmap.
#include "platform/bytes/byte_reader.h"
#include "platform/bytes/byte_writer.h"
#include "platform/image/dib.h"
#include "platform/image/dib_rle.h"
#include "platform/image/from_part.h"
#include "platform/image/image.h"

namespace platform {
namespace {

constexpr size_t kFileHeaderSize = 14;
constexpr size_t kInfoHeaderSize = 40;

}  // namespace

Result<Image> DecodeBmp(std::span<const uint8_t> file, int64_t maxPixels) {
    const ByteReader reader(file);
    if (TRY(reader.U8At(0)) != 'B' || TRY(reader.U8At(1)) != 'M') {
        return ReadError{"not a BMP file"};
    }
    const uint32_t pixelOffset = TRY(reader.U32At(10));
    const DibHeader header = TRY(FromPartAt(
        kFileHeaderSize, ReadDibHeader(ByteReader(file.subspan(kFileHeaderSize)), DibUse::Bitmap)));
    TRY(CheckPixelBudget(header.width, header.height, maxPixels));
    if (pixelOffset < kFileHeaderSize + header.size) {
        return ReadError{"BMP pixels overlap its header"};
    }
    Image image = header.runLength ? TRY(ReadDibRunPixels(header, reader, pixelOffset))
                                   : TRY(ReadDibPixels(header, reader, pixelOffset));
    if (header.bitCount == 32 && !header.bitfields && AllAlphaZero(image)) MakeOpaque(image);
    return image;
}

Result<std::vector<uint8_t>> EncodeBmp24(const Image& image) {
    if (image.width < 1 || image.height < 1 ||
        image.pixels.size() !=
            static_cast<size_t>(image.width) * static_cast<size_t>(image.height)) {
        return ReadError{"EncodeBmp24: size does not match the pixels"};
    }
    const size_t stride = (static_cast<size_t>(image.width) * 3 + 3) / 4 * 4;
    const size_t pixelBytes = stride * static_cast<size_t>(image.height);
    const size_t offset = kFileHeaderSize + kInfoHeaderSize;
    ByteWriter out;
    out.U8('B');
    out.U8('M');
    out.U32(static_cast<uint32_t>(offset + pixelBytes));
    out.U32(0);  // reserved
    out.U32(static_cast<uint32_t>(offset));
    out.U32(kInfoHeaderSize);
    out.U32(static_cast<uint32_t>(image.width));
    out.U32(static_cast<uint32_t>(image.height));  // positive: bottom-up
    out.U16(1);                                    // planes
    out.U16(24);
    out.U32(0);  // BI_RGB
    out.U32(static_cast<uint32_t>(pixelBytes));
    out.U32(0);  // no resolution
    out.U32(0);
    out.U32(0);  // no colour table
    out.U32(0);
    for (int32_t y = image.height - 1; y >= 0; --y) {
        const uint32_t* row =
            &image.pixels[static_cast<size_t>(y) * static_cast<size_t>(image.width)];
        for (int32_t x = 0; x < image.width; ++x) {
            out.U8(row[x] >> 16);  // blue
            out.U8(row[x] >> 8);
            out.U8(row[x]);
        }
        for (size_t pad = static_cast<size_t>(image.width) * 3; pad < stride; ++pad)
            out.U8(0);
    }
    return out.Take();
}

}  // namespace platform
