// ICO and CUR files: a 6-byte directory header, 16-byte entries, then each entry's image, a
// device-independent bitmap with its AND mask or a complete PNG file.
#include <algorithm>
#include <array>

#include "platform/bytes/byte_reader.h"
#include "platform/bytes/byte_writer.h"
#include "platform/image/dib.h"
#include "platform/image/from_part.h"
#include "platform/image/image.h"

namespace platform {
namespace {

constexpr uint16_t kIconType = 1;
constexpr uint16_t kCursorType = 2;
constexpr size_t kDirectorySize = 6;
constexpr size_t kEntrySize = 16;
constexpr int32_t kMaxIconSide = 256;

// The classic desktop's 16 colours (0x00BBGGRR) in their palette order: black, the eight
// dark colours, light grey, dark grey, then the bright ones up to white.
constexpr std::array<uint32_t, 16> kClassicPalette = {
    0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000, 0xC0C0C0,
    0x808080, 0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF};
constexpr std::array<uint32_t, 2> kMonochromePalette = {0x000000, 0xFFFFFF};

// One entry's image, whose colour pixels and invert plane together fit in maxPixels.
Result<IconImage> DecodeEntry(std::span<const uint8_t> data, int64_t maxPixels) {
    IconImage icon;
    if (SniffImageFormat(data) == ImageFormat::Png) {
        icon.image = TRY(DecodePng(data, maxPixels));
        icon.bitCount = 32;
        return icon;
    }
    ByteReader dib(data);
    DibHeader header = TRY(ReadDibHeader(dib, DibUse::Icon));
    TRY(CheckPixelBudget(header.width, header.height, maxPixels));
    icon.image = TRY(ReadDibPixels(header, dib, header.size));
    icon.bitCount = header.bitCount;
    const size_t maskOffset = header.size + header.Stride() * static_cast<size_t>(header.height);
    TRY(dib.BytesAt(maskOffset, MaskStride(header.width) * static_cast<size_t>(header.height)));
    bool alphaInPixels = header.bitCount == 32 && (!header.bitfields || header.hasAlphaMask) &&
                         !AllAlphaZero(icon.image);
    if (!alphaInPixels) {
        MakeOpaque(icon.image);
        TRY(ApplyAndMask(icon.image, dib, maskOffset,
                         maxPixels - int64_t{header.width} * header.height));
    }
    return icon;
}

// The index of the palette colour nearest to colour (squared distance; the first on a tie).
uint32_t NearestIndex(uint32_t color, std::span<const uint32_t> palette) {
    uint32_t best = 0;
    int64_t bestDistance = INT64_MAX;
    for (size_t i = 0; i < palette.size(); ++i) {
        int64_t distance = 0;
        for (int shift = 0; shift < 24; shift += 8) {
            int64_t d = int64_t{color >> shift & 0xFF} - int64_t{palette[i] >> shift & 0xFF};
            distance += d * d;
        }
        if (distance < bestDistance) {
            bestDistance = distance;
            best = static_cast<uint32_t>(i);
        }
    }
    return best;
}

// The depth a DIB entry is written in for the bitCount an image asks for.
Result<int32_t> StoredDepth(int32_t bitCount) {
    switch (bitCount) {
        case 1:
        case 4:
            return bitCount;
        case 8:
        case 24:
            return 24;
        case 0:
        case 32:
            return 32;
        default:
            return ReadError{"EncodeIconFile: unsupported bit count " + std::to_string(bitCount)};
    }
}

// Whether the pixel is written as AND 1 (shows the background).
bool Transparent(uint32_t pixel, int32_t depth) {
    uint32_t alpha = pixel >> 24;
    return depth == 32 ? alpha == 0 : alpha < 128;
}

std::vector<uint8_t> EncodeDibEntry(const Image& image, int32_t depth) {
    std::span<const uint32_t> palette;
    if (depth == 1) palette = kMonochromePalette;
    if (depth == 4) palette = kClassicPalette;
    const size_t width = static_cast<size_t>(image.width);
    const size_t stride = (width * static_cast<size_t>(depth) + 31) / 32 * 4;
    const size_t maskStride = MaskStride(image.width);
    const size_t imageBytes = (stride + maskStride) * static_cast<size_t>(image.height);

    ByteWriter out;
    out.U32(40);
    out.U32(static_cast<uint32_t>(image.width));
    out.U32(static_cast<uint32_t>(image.height * 2));  // colour image and AND mask
    out.U16(1);
    out.U16(static_cast<uint32_t>(depth));
    out.U32(0);  // BI_RGB
    out.U32(static_cast<uint32_t>(imageBytes));
    out.U32(0);
    out.U32(0);
    out.U32(0);  // the full 2^depth colour table
    out.U32(0);
    for (uint32_t color : palette) {
        out.U8(color >> 16);
        out.U8(color >> 8);
        out.U8(color);
        out.U8(0);
    }
    for (int32_t y = image.height - 1; y >= 0; --y) {
        const size_t rowStart = static_cast<size_t>(y) * width;
        const uint32_t* row = &image.pixels[rowStart];
        std::vector<uint8_t> bytes(stride);
        for (size_t x = 0; x < width; ++x) {
            uint32_t pixel = row[x];
            if (Transparent(pixel, depth)) {
                // Under AND 1 the colour is what the pixel XORs into the screen.
                pixel = depth < 32 ? image.InvertAt(rowStart + x) : 0;
            }
            if (depth <= 8) {
                uint32_t index = NearestIndex(pixel, palette);
                bytes[x * depth / 8] |= static_cast<uint8_t>(index << (8 - depth - x * depth % 8));
            } else {
                for (size_t c = 0; c < static_cast<size_t>(depth / 8); ++c) {
                    // blue, green, red, then alpha at 32 bits
                    int shift = c == 3 ? 24 : 16 - 8 * static_cast<int>(c);
                    bytes[x * depth / 8 + c] = static_cast<uint8_t>(pixel >> shift);
                }
            }
        }
        out.Append(bytes);
    }
    for (int32_t y = image.height - 1; y >= 0; --y) {
        const uint32_t* row = &image.pixels[static_cast<size_t>(y) * width];
        std::vector<uint8_t> bits(maskStride);
        for (size_t x = 0; x < width; ++x) {
            if (Transparent(row[x], depth)) bits[x / 8] |= static_cast<uint8_t>(0x80 >> x % 8);
        }
        out.Append(bits);
    }
    return out.Take();
}

Result<void> CheckEncodable(const IconImage& icon, bool cursor) {
    const Image& image = icon.image;
    if (image.width < 1 || image.height < 1 || image.width > kMaxIconSide ||
        image.height > kMaxIconSide) {
        return ReadError{"EncodeIconFile: image size outside 1..256"};
    }
    if (image.pixels.size() !=
        static_cast<size_t>(image.width) * static_cast<size_t>(image.height)) {
        return ReadError{"EncodeIconFile: size does not match the pixels"};
    }
    if (cursor && (icon.hotSpotX < 0 || icon.hotSpotY < 0 || icon.hotSpotX >= image.width ||
                   icon.hotSpotY >= image.height)) {
        return ReadError{"EncodeIconFile: hot spot outside the cursor"};
    }
    return {};
}

/// The directory of an icon or cursor file: its type and the number of entries, checked to lie
/// inside the file.
struct IconDirectory {
    uint16_t type = 0;
    size_t count = 0;
};

Result<IconDirectory> ReadDirectory(const ByteReader& reader) {
    const uint16_t type = TRY(reader.U16At(2));
    if (TRY(reader.U16At(0)) != 0 || (type != kIconType && type != kCursorType)) {
        return ReadError{"not an icon or cursor file"};
    }
    const size_t count = TRY(reader.U16At(4));
    if (count == 0) return ReadError{"icon file holds no image"};
    TRY(reader.BytesAt(kDirectorySize, count * kEntrySize));
    return IconDirectory{type, count};
}

Result<IconImage> DecodeDirectoryEntry(const ByteReader& reader, const IconDirectory& directory,
                                       size_t index, int64_t maxPixels) {
    const size_t entry = kDirectorySize + index * kEntrySize;
    const size_t dataAt = TRY(reader.U32At(entry + 12));
    const std::span<const uint8_t> data = TRY(reader.BytesAt(dataAt, TRY(reader.U32At(entry + 8))));
    IconImage icon = TRY(FromPartAt(dataAt, DecodeEntry(data, maxPixels)));
    if (directory.type == kCursorType) {
        icon.hotSpotX = TRY(reader.U16At(entry + 4));
        icon.hotSpotY = TRY(reader.U16At(entry + 6));
    }
    return icon;
}

// A width or height as the directory stores it: one byte, 0 standing for 256.
Result<int32_t> DirectorySide(const ByteReader& reader, size_t at) {
    const int32_t stored = TRY(reader.U8At(at));
    return stored == 0 ? kMaxIconSide : stored;
}

}  // namespace

Result<std::vector<IconImage>> DecodeIconFile(std::span<const uint8_t> file, int64_t maxPixels) {
    const ByteReader reader(file);
    const IconDirectory directory = TRY(ReadDirectory(reader));
    std::vector<IconImage> icons;
    icons.reserve(directory.count);
    for (size_t i = 0; i < directory.count; ++i) {
        icons.push_back(TRY(DecodeDirectoryEntry(reader, directory, i, maxPixels)));
        // Entries may share their data: each one decoded spends the budget again.
        const Image& image = icons.back().image;
        maxPixels -= static_cast<int64_t>(image.pixels.size() + image.invert.size());
    }
    return icons;
}

Result<IconImage> DecodeIconFileImage(std::span<const uint8_t> file, int32_t width, int32_t height,
                                      int64_t maxPixels) {
    const ByteReader reader(file);
    const IconDirectory directory = TRY(ReadDirectory(reader));
    size_t chosen = 0;
    for (size_t i = 0; i < directory.count; ++i) {
        const size_t entry = kDirectorySize + i * kEntrySize;
        if (TRY(DirectorySide(reader, entry)) == width &&
            TRY(DirectorySide(reader, entry + 1)) == height) {
            chosen = i;
            break;
        }
    }
    return DecodeDirectoryEntry(reader, directory, chosen, maxPixels);
}

Result<IconImage> DecodeIconFileImageAtLeast(std::span<const uint8_t> file, int32_t side,
                                             int64_t maxPixels) {
    const ByteReader reader(file);
    const IconDirectory directory = TRY(ReadDirectory(reader));
    size_t chosen = 0;
    int32_t chosenSide = 0;
    for (size_t i = 0; i < directory.count; ++i) {
        const size_t entry = kDirectorySize + i * kEntrySize;
        const int32_t listed = TRY(DirectorySide(reader, entry));
        if (listed != TRY(DirectorySide(reader, entry + 1))) continue;
        // The smallest large enough, else the largest.
        const bool better =
            chosenSide < side ? listed > chosenSide : listed >= side && listed < chosenSide;
        if (better) {
            chosen = i;
            chosenSide = listed;
        }
    }
    return DecodeDirectoryEntry(reader, directory, chosen, maxPixels);
}

Result<std::vector<uint8_t>> EncodeIconFile(std::span<const IconImage> images, bool cursor,
                                            int32_t pngSide) {
    if (images.empty() || images.size() > 0xFFFF) {
        return ReadError{"EncodeIconFile: needs 1 to 65535 images"};
    }
    std::vector<std::vector<uint8_t>> entries;
    std::vector<int32_t> depths;
    for (const IconImage& icon : images) {
        TRY(CheckEncodable(icon, cursor));
        const Image& image = icon.image;
        const int32_t side = std::min(pngSide, kMaxIconSide);
        if (image.width >= side || image.height >= side) {
            entries.push_back(TRY(EncodePng(image)));
            depths.push_back(32);
        } else {
            depths.push_back(TRY(StoredDepth(icon.bitCount)));
            entries.push_back(EncodeDibEntry(image, depths.back()));
        }
    }

    ByteWriter out;
    out.U16(0);
    out.U16(cursor ? kCursorType : kIconType);
    out.U16(static_cast<uint32_t>(images.size()));
    size_t offset = kDirectorySize + kEntrySize * images.size();
    for (size_t i = 0; i < images.size(); ++i) {
        const IconImage& icon = images[i];
        out.U8(static_cast<uint32_t>(icon.image.width % kMaxIconSide));  // 256 is written 0
        out.U8(static_cast<uint32_t>(icon.image.height % kMaxIconSide));
        out.U8(depths[i] < 8 ? 1u << depths[i] : 0);  // colour count
        out.U8(0);
        out.U16(cursor ? static_cast<uint32_t>(icon.hotSpotX) : 1);  // or planes
        out.U16(cursor ? static_cast<uint32_t>(icon.hotSpotY) : static_cast<uint32_t>(depths[i]));
        out.U32(static_cast<uint32_t>(entries[i].size()));
        out.U32(static_cast<uint32_t>(offset));
        offset += entries[i].size();
    }
    for (const auto& entry : entries)
        out.Append(entry);
    return out.Take();
}

}  // namespace platform
