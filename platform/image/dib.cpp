#include "platform/image/dib.h"

#include <bit>
#include <cstdlib>

namespace platform {
namespace {

// Offsets of the header's fields, where a fault in one of them is reported.
constexpr size_t kWidthAt = 4;
constexpr size_t kHeightAt = 8;
constexpr size_t kBitCountAt = 14;
constexpr size_t kCompressionAt = 16;
constexpr size_t kColorsUsedAt = 32;

constexpr uint32_t kBiRgb = 0;
constexpr uint32_t kBiRle8 = 1;
constexpr uint32_t kBiRle4 = 2;
constexpr uint32_t kBiBitfields = 3;
constexpr uint32_t kOpaque = 0xFF000000;
// 16-bit BI_RGB: red, green and blue in 5 bits each, the top bit unused.
constexpr std::array<uint32_t, 4> kRgb555Masks = {0x7C00, 0x03E0, 0x001F, 0};

bool KnownHeaderSize(uint32_t size) {
    return size == 40 || size == 52 || size == 56 || size == 108 || size == 124;
}

// A channel mask's field of n bits, value v, as round(v * 255 / (2^n - 1)): 0 stays 0, all
// ones become 255, 8-bit fields are unchanged. The quotient is never exactly half-way (2 * 255v
// is even, 2^n - 1 odd), so no tie rule is needed. Masks are contiguous runs of bits (checked
// when the header is read); an empty mask reads as 0.
uint32_t Channel(uint32_t pixel, uint32_t mask) {
    if (mask == 0) return 0;
    const uint64_t max = (uint64_t{1} << std::popcount(mask)) - 1;
    const uint64_t value = (pixel & mask) >> std::countr_zero(mask);
    return static_cast<uint32_t>((value * 2 * 255 + max) / (2 * max));
}

bool Contiguous(uint32_t mask) {
    if (mask == 0) return true;
    uint32_t run = mask >> std::countr_zero(mask);
    return (run & (run + 1)) == 0;
}

// Reads the BI_BITFIELDS masks into header and returns how many bytes they add after the
// header: 12 after a BITMAPINFOHEADER, none in the longer headers, which hold them.
Result<size_t> ReadMasks(const ByteReader& dib, uint32_t headerSize, DibHeader& header) {
    header.bitfields = true;
    for (int i = 0; i < 3; ++i)
        header.masks[i] = TRY(dib.U32At(40 + 4 * i));
    if (headerSize >= 56) {
        header.masks[3] = TRY(dib.U32At(52));
        header.hasAlphaMask = header.masks[3] != 0;
    }
    for (uint32_t mask : header.masks) {
        if (!Contiguous(mask)) return ReadError{"bitmap channel mask is not contiguous"};
        if (header.bitCount == 16 && mask > 0xFFFF) {
            return ReadError{"bitmap channel mask is wider than its 16-bit pixels"};
        }
    }
    return headerSize == 40 ? 12 : 0;
}

// A pixel value split by the header's masks; opaque unless there is an alpha mask.
uint32_t MaskedColor(const DibHeader& header, uint32_t value) {
    const uint32_t alpha = header.hasAlphaMask ? Channel(value, header.masks[3]) : 255;
    return Channel(value, header.masks[0]) | Channel(value, header.masks[1]) << 8 |
           Channel(value, header.masks[2]) << 16 | alpha << 24;
}

// Gives the image an invert plane of zeros, unless it would have more than maxPlanePixels.
Result<void> MakeInvertPlane(Image& image, int64_t maxPlanePixels) {
    if (static_cast<int64_t>(image.pixels.size()) > maxPlanePixels) {
        return ReadError{"an invert plane of " + std::to_string(image.width) + " x " +
                         std::to_string(image.height) + " pixels is over the budget of " +
                         std::to_string(maxPlanePixels) + " pixels"};
    }
    image.invert.resize(image.pixels.size());
    return {};
}

}  // namespace

size_t DibHeader::Stride() const {
    return (static_cast<size_t>(width) * static_cast<size_t>(bitCount) + 31) / 32 * 4;
}

uint32_t DibHeader::Color(uint32_t index) const {
    return index < palette.size() ? palette[index] : kOpaque;
}

Result<DibHeader> ReadDibHeader(const ByteReader& dib, DibUse use) {
    uint32_t headerSize = TRY(dib.U32At(0));
    if (!KnownHeaderSize(headerSize)) {
        return ReadError{"unsupported bitmap header size " + std::to_string(headerSize), 0};
    }
    TRY(dib.BytesAt(0, headerSize));
    DibHeader header;
    int64_t width = TRY(dib.I32At(kWidthAt));
    int64_t storedHeight = TRY(dib.I32At(kHeightAt));
    header.bitCount = TRY(dib.U16At(kBitCountAt));
    uint32_t compression = TRY(dib.U32At(kCompressionAt));
    uint32_t colorsUsed = TRY(dib.U32At(kColorsUsedAt));

    if (use == DibUse::Icon) {
        if (storedHeight <= 0 || storedHeight % 2 != 0) {
            return ReadError{"icon bitmap height must be twice the image height", kHeightAt};
        }
        storedHeight /= 2;
    }
    header.topDown = storedHeight < 0;
    int64_t height = std::abs(storedHeight);
    if (width < 1 || width > kMaxImageSide) return ReadError{"bitmap width out of range", kWidthAt};
    if (height < 1 || height > kMaxImageSide) {
        return ReadError{"bitmap height out of range", kHeightAt};
    }
    header.width = static_cast<int32_t>(width);
    header.height = static_cast<int32_t>(height);

    int32_t bits = header.bitCount;
    const bool sixteen = bits == 16 && use == DibUse::Bitmap;
    if (bits != 1 && bits != 4 && bits != 8 && !sixteen && bits != 24 && bits != 32) {
        return ReadError{"unsupported bitmap depth " + std::to_string(bits), kBitCountAt};
    }
    size_t offset = headerSize;
    if (compression == kBiBitfields && (bits == 16 || bits == 32)) {
        offset += TRY(ReadMasks(dib, headerSize, header));
    } else if (compression == kBiRgb) {
        if (bits == 16) header.masks = kRgb555Masks;
    } else if (use == DibUse::Bitmap &&
               ((compression == kBiRle8 && bits == 8) || (compression == kBiRle4 && bits == 4))) {
        if (header.topDown) return ReadError{"a run-length bitmap cannot be top-down", kHeightAt};
        header.runLength = true;
    } else {
        return ReadError{"unsupported bitmap compression " + std::to_string(compression),
                         kCompressionAt};
    }

    if (colorsUsed > 256) return ReadError{"bitmap colour table too large", kColorsUsedAt};
    size_t colors = colorsUsed != 0 ? colorsUsed : bits <= 8 ? size_t{1} << bits : 0;
    auto table = TRY(dib.BytesAt(offset, colors * 4));
    // Only depths up to 8 bits look colours up; a table beside deeper pixels is skipped.
    if (bits <= 8) {
        header.palette.reserve(colors);
        for (size_t i = 0; i < colors; ++i) {
            const uint8_t* q = &table[4 * i];
            header.palette.push_back(kOpaque | q[2] | q[1] << 8 | q[0] << 16);
        }
    }
    header.size = offset + colors * 4;
    return header;
}

Result<Image> ReadDibPixels(const DibHeader& header, const ByteReader& reader, size_t offset) {
    const size_t stride = header.Stride();
    auto data = TRY(reader.BytesAt(offset, stride * static_cast<size_t>(header.height)));
    Image image;
    image.width = header.width;
    image.height = header.height;
    image.pixels.resize(static_cast<size_t>(header.width) * static_cast<size_t>(header.height));
    const int32_t bits = header.bitCount;
    for (int32_t row = 0; row < header.height; ++row) {
        const uint8_t* src = &data[static_cast<size_t>(row) * stride];
        int32_t y = header.topDown ? row : header.height - 1 - row;
        uint32_t* dst = &image.pixels[static_cast<size_t>(y) * static_cast<size_t>(image.width)];
        for (int32_t x = 0; x < header.width; ++x) {
            if (bits <= 8) {
                int32_t bitPos = x * bits;
                int shift = 8 - bits - bitPos % 8;
                uint32_t index = src[bitPos / 8] >> shift & ((1u << bits) - 1);
                dst[x] = header.Color(index);
            } else if (bits == 16) {
                const uint8_t* p = src + 2 * x;
                dst[x] = MaskedColor(header, p[0] | p[1] << 8);
            } else if (bits == 24) {
                const uint8_t* p = src + 3 * x;
                dst[x] = kOpaque | p[2] | p[1] << 8 | p[0] << 16;
            } else {
                const uint8_t* p = src + 4 * x;
                if (!header.bitfields) {
                    dst[x] = p[2] | p[1] << 8 | p[0] << 16 | static_cast<uint32_t>(p[3]) << 24;
                    continue;
                }
                dst[x] = MaskedColor(
                    header, p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24);
            }
        }
    }
    return image;
}

bool AllAlphaZero(const Image& image) {
    for (uint32_t pixel : image.pixels) {
        if (pixel >> 24 != 0) return false;
    }
    return true;
}

void MakeOpaque(Image& image) {
    for (uint32_t& pixel : image.pixels)
        pixel |= kOpaque;
}

size_t MaskStride(int32_t width) {
    return (static_cast<size_t>(width) + 31) / 32 * 4;
}

Result<void> ApplyAndMask(Image& image, const ByteReader& reader, size_t offset,
                          int64_t maxPlanePixels) {
    const size_t stride = MaskStride(image.width);
    auto mask = TRY(reader.BytesAt(offset, stride * static_cast<size_t>(image.height)));
    for (int32_t row = 0; row < image.height; ++row) {
        const uint8_t* bitsRow = &mask[static_cast<size_t>(row) * stride];
        int32_t y = image.height - 1 - row;
        uint32_t* dst = &image.pixels[static_cast<size_t>(y) * static_cast<size_t>(image.width)];
        for (int32_t x = 0; x < image.width; ++x) {
            if ((bitsRow[x / 8] >> (7 - x % 8) & 1) == 0) continue;
            const uint32_t colour = dst[x] & 0x00FFFFFF;
            dst[x] = 0;
            if (colour == 0) continue;
            if (image.invert.empty()) TRY(MakeInvertPlane(image, maxPlanePixels));
            image.invert[static_cast<size_t>(y) * static_cast<size_t>(image.width) +
                         static_cast<size_t>(x)] = colour;
        }
    }
    return {};
}

}  // namespace platform
