#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "platform/bytes/byte_reader.h"
#include "platform/image/image.h"

namespace platform {

/// How a device-independent bitmap is framed: a BMP file's own, or an icon entry's, whose
/// biHeight covers the colour image and the AND mask below it.
enum class DibUse { Bitmap, Icon };

/// The parsed header of a device-independent bitmap (BITMAPINFOHEADER or a longer version)
/// and its colour table.
struct DibHeader {
    int32_t width = 0;
    int32_t height = 0;  // rows of the colour image (half of biHeight for an icon)
    bool topDown = false;
    int32_t bitCount = 0;
    bool bitfields = false;
    std::array<uint32_t, 4> masks{};  // red, green, blue, alpha: BI_BITFIELDS, 16-bit BI_RGB
    bool hasAlphaMask = false;
    bool runLength = false;         // BI_RLE8 at 8 bits or BI_RLE4 at 4 bits, bottom-up
    std::vector<uint32_t> palette;  // opaque 0xFFBBGGRR entries
    size_t size = 0;                // bytes of header, masks and colour table

    /// Bytes of one stored row of the colour image, padded to a multiple of 4.
    size_t Stride() const;

    /// The palette entry of a colour index; opaque black past the end of the table.
    uint32_t Color(uint32_t index) const;
};

/// Reads the header that starts at offset 0 of dib. Fails for sizes out of range, depths other
/// than 1, 4, 8, 24 and 32 (and 16 in a bitmap, not an icon), compressions other than BI_RGB
/// (and BI_BITFIELDS at 16 and 32 bits; in a bitmap also BI_RLE8 at 8 bits and BI_RLE4 at 4
/// bits, bottom-up only), masks not one run of bits or, at 16 bits, wider than the pixel, colour
/// tables over 256 entries, and anything past the end of dib. 16-bit BI_RGB gets the 5-5-5
/// masks.
Result<DibHeader> ReadDibHeader(const ByteReader& dib, DibUse use);

/// The colour image whose rows start at offset of reader, in the header's row order. 16-bit
/// pixels are little-endian words read through the masks, as are 32-bit BI_BITFIELDS ones; a
/// mask's n-bit field v becomes round(v × 255 / (2^n − 1)). Alpha is 255 except for masks with
/// an alpha mask, which take it, and 32-bit BI_RGB, which keeps the stored fourth byte. Fails
/// when the rows pass the end of reader.
Result<Image> ReadDibPixels(const DibHeader& header, const ByteReader& reader, size_t offset);

/// True when every pixel has alpha 0: a 32-bit image written before alpha was used.
bool AllAlphaZero(const Image& image);

/// Sets every pixel's alpha to 255.
void MakeOpaque(Image& image);

/// Bytes of one row of a 1-bit mask width pixels wide, padded to a multiple of 4.
size_t MaskStride(int32_t width);

/// Applies the bottom-up AND mask at offset of reader to an opaque image: AND 1 over black
/// becomes transparent (0x00000000), AND 1 over any other colour transparent with that colour
/// in the image's invert plane, which is made when the first such pixel is found. Fails when the
/// mask passes the end of reader, and for a plane of more than `maxPlanePixels` pixels before it
/// is made.
Result<void> ApplyAndMask(Image& image, const ByteReader& reader, size_t offset,
                          int64_t maxPlanePixels);

}  // namespace platform
