#pragma once

// Byte-by-byte builders for the image files the decoder tests read. They write every field
// explicitly, independently of the library's own writers.
#include <cstdint>
#include <initializer_list>
#include <span>
#include <vector>

namespace platform::testing {

/// Little-endian bytes appended one field at a time.
struct Bytes {
    std::vector<uint8_t> data;

    Bytes& U8(uint32_t v) {
        data.push_back(static_cast<uint8_t>(v));
        return *this;
    }
    Bytes& U16(uint32_t v) { return U8(v).U8(v >> 8); }
    Bytes& U32(uint32_t v) { return U16(v).U16(v >> 16); }
    Bytes& Append(std::span<const uint8_t> more) {
        data.insert(data.end(), more.begin(), more.end());
        return *this;
    }
    Bytes& Append(std::initializer_list<uint8_t> more) {
        data.insert(data.end(), more.begin(), more.end());
        return *this;
    }
};

/// A device-independent bitmap: header, masks, colour table and the pixel bytes as stored.
struct DibLayout {
    int32_t width = 1;
    int32_t storedHeight = 1;  // biHeight as written: negative is top-down, icons use 2h
    uint16_t bitCount = 24;
    uint32_t compression = 0;
    uint32_t headerSize = 40;
    uint32_t colorsUsed = 0;
    std::vector<uint32_t> masks;  // red, green, blue[, alpha]: after a 40-byte header, else inside
    std::vector<uint32_t> palette;  // 0x00BBGGRR colours, written as blue, green, red, 0
    std::vector<uint8_t> pixels;    // rows as stored, padding included (and an icon's AND mask)
};

/// A BI_RGB bitmap header of the given size and depth, no table or pixels yet.
inline DibLayout Dib(int32_t width, int32_t storedHeight, uint16_t bitCount) {
    DibLayout layout;
    layout.width = width;
    layout.storedHeight = storedHeight;
    layout.bitCount = bitCount;
    return layout;
}

inline std::vector<uint8_t> DibBytes(const DibLayout& layout) {
    Bytes b;
    b.U32(layout.headerSize).U32(static_cast<uint32_t>(layout.width));
    b.U32(static_cast<uint32_t>(layout.storedHeight)).U16(1).U16(layout.bitCount);
    b.U32(layout.compression).U32(0).U32(2835).U32(2835).U32(layout.colorsUsed).U32(0);
    size_t masksInHeader = 0;
    if (layout.headerSize > 40) {
        for (uint32_t m : layout.masks) {
            if (b.data.size() < layout.headerSize) {
                b.U32(m);
                ++masksInHeader;
            }
        }
        while (b.data.size() < layout.headerSize)
            b.U8(0);
    }
    for (size_t i = masksInHeader; i < layout.masks.size(); ++i)
        b.U32(layout.masks[i]);
    for (uint32_t c : layout.palette)
        b.U8(c >> 16).U8(c >> 8).U8(c).U8(0);
    b.Append(layout.pixels);
    return b.data;
}

/// A BMP file: "BM", file size, reserved, the pixel offset right after header and table, then
/// the bitmap.
inline std::vector<uint8_t> BmpFile(const DibLayout& layout) {
    std::vector<uint8_t> dib = DibBytes(layout);
    Bytes b;
    b.U8('B').U8('M').U32(static_cast<uint32_t>(14 + dib.size())).U32(0);
    b.U32(static_cast<uint32_t>(14 + dib.size() - layout.pixels.size()));
    b.Append(dib);
    return b.data;
}

/// One directory entry of an icon file and its image data.
struct IconEntryLayout {
    uint8_t width = 0, height = 0, colorCount = 0;
    uint16_t planesOrHotSpotX = 1, bitCountOrHotSpotY = 0;
    std::vector<uint8_t> data;
};

/// An ICO (type 1) or CUR (type 2) file with the entries' data laid out after the directory.
inline std::vector<uint8_t> IconFile(uint16_t type, const std::vector<IconEntryLayout>& entries) {
    Bytes b;
    b.U16(0).U16(type).U16(static_cast<uint32_t>(entries.size()));
    uint32_t offset = static_cast<uint32_t>(6 + 16 * entries.size());
    for (const auto& e : entries) {
        b.U8(e.width).U8(e.height).U8(e.colorCount).U8(0);
        b.U16(e.planesOrHotSpotX).U16(e.bitCountOrHotSpotY);
        b.U32(static_cast<uint32_t>(e.data.size())).U32(offset);
        offset += static_cast<uint32_t>(e.data.size());
    }
    for (const auto& e : entries)
        b.Append(e.data);
    return b.data;
}

/// Opaque pixel of a plain colour 0x00BBGGRR.
constexpr uint32_t Opaque(uint32_t color) {
    return 0xFF000000 | color;
}

}  // namespace platform::testing
