// Run-length encoded bitmaps: BI_RLE8 and BI_RLE4 runs written into a bottom-up image.
#include "platform/image/dib_rle.h"

#include <cstdint>
#include <vector>

namespace platform {
namespace {

constexpr uint8_t kEndOfLine = 0;
constexpr uint8_t kEndOfBitmap = 1;
constexpr uint8_t kDelta = 2;

// Runs that write every pixel cover at most 255 pixels per 2 bytes. The margin over that leaves
// room for moves and an early end of bitmap, while a file of a few bytes cannot claim a canvas
// of a gigabyte.
constexpr size_t kMaxPixelsPerRunByte = 4096;

// The writing position in a bottom-up image, with the checks that keep it inside.
class RunCursor {
  public:
    RunCursor(const DibHeader& header, Image& image) : header_(header), image_(image) {}

    // The run being read starts at this offset of the file, where its faults are reported.
    void StartRun(size_t at) { runAt_ = at; }

    // Writes count pixels rightwards from the position; indexAt(i) is the i-th colour index.
    template <typename IndexAt>
    Result<void> Write(int32_t count, IndexAt indexAt) {
        if (row_ >= image_.height) return ReadError{"run-length run above the top row", runAt_};
        if (count > image_.width - x_) {
            return ReadError{"run-length run passes the end of its row", runAt_};
        }
        const size_t y = static_cast<size_t>(image_.height - 1 - row_);
        uint32_t* dst = &image_.pixels[y * static_cast<size_t>(image_.width) + x_];
        for (int32_t i = 0; i < count; ++i)
            dst[i] = header_.Color(indexAt(i));
        x_ += count;
        return {};
    }

    Result<void> EndOfLine() { return MoveTo(0, row_ + 1); }
    Result<void> Delta(int32_t dx, int32_t dy) { return MoveTo(x_ + dx, row_ + dy); }

    // True once an end of line or move has taken the position past the top row.
    bool PastTopRow() const { return row_ == image_.height; }

  private:
    Result<void> MoveTo(int32_t newX, int32_t newRow) {
        if (newX > image_.width || newRow > image_.height) {
            return ReadError{"run-length move leaves the bitmap", runAt_};
        }
        x_ = newX;
        row_ = newRow;
        return {};
    }

    const DibHeader& header_;
    Image& image_;
    int32_t x_ = 0;
    int32_t row_ = 0;  // counted from the bottom
    size_t runAt_ = 0;
};

// The i-th of the two colour indices in a byte of RLE4 data: the high nibble first.
uint32_t Nibble(uint8_t byte, int32_t i) {
    return i % 2 == 0 ? byte >> 4 : byte & 0x0F;
}

}  // namespace

Result<Image> ReadDibRunPixels(const DibHeader& header, const ByteReader& reader, size_t offset) {
    if (offset > reader.Size()) return ReadError{"bitmap runs start past the end of the file"};
    const size_t runBytes = reader.Size() - offset;
    const size_t area = static_cast<size_t>(header.width) * static_cast<size_t>(header.height);
    if (area > kMaxPixelsPerRunByte * runBytes) {
        return ReadError{"run-length bitmap claims more pixels than its runs can hold", offset};
    }
    Image image;
    image.width = header.width;
    image.height = header.height;
    image.pixels.assign(area, 0);
    RunCursor cursor(header, image);
    const bool rle4 = header.bitCount == 4;
    // Positions count from the start of the file, where a fault is reported.
    size_t pos = offset;
    while (pos < reader.Size()) {
        cursor.StartRun(pos);
        const uint8_t count = TRY(reader.U8At(pos));
        const uint8_t value = TRY(reader.U8At(pos + 1));
        pos += 2;
        if (count > 0) {
            TRY(cursor.Write(count, [&](int32_t i) { return rle4 ? Nibble(value, i) : value; }));
        } else if (value == kEndOfLine) {
            TRY(cursor.EndOfLine());
        } else if (value == kEndOfBitmap) {
            return image;
        } else if (value == kDelta) {
            // The rows byte first: a move cut short is reported by the last byte it needs.
            const uint8_t dy = TRY(reader.U8At(pos + 1));
            const uint8_t dx = TRY(reader.U8At(pos));
            TRY(cursor.Delta(dx, dy));
            pos += 2;
        } else {
            const size_t bytes = rle4 ? (value + 1) / 2 : value;
            const size_t padded = bytes + bytes % 2;
            auto literal = TRY(reader.BytesAt(pos, padded));
            TRY(cursor.Write(value, [&](int32_t i) -> uint32_t {
                return rle4 ? Nibble(literal[i / 2], i) : literal[i];
            }));
            pos += padded;
        }
    }
    if (!cursor.PastTopRow()) {
        return ReadError{"run-length data ends before the end of bitmap", reader.Size()};
    }
    return image;
}

}  // namespace platform
