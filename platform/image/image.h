#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "platform/bytes/result.h"

namespace platform {

/// A decoded picture, rows top-down. Each pixel is 0xAABBGGRR: red in the lowest byte, then
/// green, then blue, alpha in the top byte (255 opaque, 0 transparent). Colours are not
/// premultiplied.
///
/// Icons and cursors can also invert what lies under some of their pixels. Such an image has an
/// invert plane: for every pixel, in the order of `pixels`, the colour (0x00BBGGRR) that is
/// XORed into what lies under it, 0 where nothing is (white inverts). An inverting pixel is
/// transparent in `pixels`, so a reader that knows no invert plane shows what lies under it.
/// Images without inverting pixels leave the plane empty.
struct Image {
    int32_t width = 0, height = 0;
    std::vector<uint32_t> pixels;       // width * height values, row after row
    std::vector<uint32_t> invert = {};  // empty, or width * height XOR colours

    /// The XOR colour of the pixel at `index` (row × width + column); 0 without an invert plane.
    uint32_t InvertAt(size_t index) const { return index < invert.size() ? invert[index] : 0; }

    friend bool operator==(const Image&, const Image&) = default;
};

/// One image of an icon or cursor file. Cursors carry their hot spot; icons leave it at 0.
/// bitCount is the colour depth the image was stored in (32 for PNG-compressed entries), and
/// the depth EncodeIconFile writes it in.
struct IconImage {
    Image image;
    int32_t hotSpotX = 0, hotSpotY = 0;
    int32_t bitCount = 0;

    friend bool operator==(const IconImage&, const IconImage&) = default;
};

/// The largest width and height a decoder accepts; larger claims are rejected before any
/// pixel memory is allocated.
constexpr int32_t kMaxImageSide = 16384;

/// The most pixels one decode makes unless its caller gives a smaller budget: 64 Mi pixels,
/// 256 MB, several times the largest screen.
constexpr int64_t kMaxImagePixels = int64_t{64} << 20;

// Every decoder below returns its picture, or fails for input it cannot read: truncated,
// inconsistent, too large or in a variant it does not support. The ReadError's offset is where
// in the bytes given to the decoder the fault lies: the first missing byte when they end early,
// the first byte (0) when the fault is not at one byte, such as a compressed stream that does not
// decode. libjpeg's and libpng's own failures end inside the decoder, as its errors.

/// Fails naming the size when a width × height picture has more than `maxPixels` pixels;
/// decoders call it before they allocate the pixels.
Result<void> CheckPixelBudget(int64_t width, int64_t height, int64_t maxPixels);

enum class ImageFormat { Unknown, Bmp, Ico, Cur, Jpeg, Png };

/// The format by the file's first bytes: "BM"; 00 00 01 00 (icon); 00 00 02 00 (cursor);
/// FF D8 FF (JPEG); the 8-byte PNG signature. Anything else, or a shorter file, is Unknown.
ImageFormat SniffImageFormat(std::span<const uint8_t> file);

/// A BMP file, starting with its 14-byte "BM" header. Reads BITMAPINFOHEADER and the 52, 56,
/// 108 (V4) and 124 (V5) byte headers, in these variants:
///   - 1, 4 and 8 bits through the colour table (biClrUsed entries, or 2^bits when 0; an index
///     past the table gives opaque black);
///   - 16 bits, each pixel a little-endian word: BI_RGB is 5-5-5 (the top bit unused),
///     BI_BITFIELDS takes the header's red, green, blue and (in 56-byte and longer headers)
///     alpha masks;
///   - 24 bits, blue, green, red bytes;
///   - 32 bits, BI_RGB (blue, green, red, alpha bytes) or BI_BITFIELDS;
///   - BI_RLE8 at 8 bits and BI_RLE4 at 4 bits, through the colour table, described below.
/// A mask must be one run of bits, at 16 bits inside the word. Its field of n bits with value v
/// becomes round(v × 255 / (2^n − 1)), which is never a tie; 8-bit fields keep their value.
/// Rows are bottom-up when biHeight > 0, top-down when < 0, each padded to a multiple of 4
/// bytes. Alpha: 32-bit BI_RGB uses the fourth byte unless every pixel has 0 there (then the
/// file predates alpha and is opaque); BI_BITFIELDS uses the alpha mask when the header has one,
/// else opaque; other variants are opaque, but for pixels of a run-length bitmap left unwritten.
///
/// Run-length bitmaps are bottom-up only. Their runs are read from the pixel offset to the end
/// of the file (biSizeImage is not consulted) as byte pairs, starting at the bottom-left pixel:
///   - n > 0, then c: n pixels; RLE8 repeats index c, RLE4 alternates its high and low nibble;
///   - 0, 0: end of line, the position moves to the start of the row above;
///   - 0, 1: end of bitmap;
///   - 0, 2, then dx, dy: the position moves dx pixels right and dy rows up;
///   - 0, n >= 3: n literal indices follow (RLE4 two a byte, high nibble first), padded with a
///     byte to an even length.
/// Pixels no run writes (skipped by a move, left after an end of line or the end of bitmap) are
/// transparent (0x00000000), so that what lies under the picture shows there. The end-of-bitmap
/// marker may be missing once an end of line or move has taken the position past the top row;
/// runs that end sooner are an error, as are a run past the end of its row or above the top row,
/// a move right of the right edge or past the top row, a literal run or its padding byte past
/// the end of the file, and a bitmap claiming over 4096 pixels per byte of its runs. Bitmaps of
/// more than `maxPixels` pixels are rejected.
Result<Image> DecodeBmp(std::span<const uint8_t> file, int64_t maxPixels = kMaxImagePixels);

/// Every image of an ICO or CUR file, in directory order. A width or height byte of 0 means
/// 256. An entry whose data starts with the PNG signature is a PNG file. Any other entry is a
/// DIB: BITMAPINFOHEADER with biHeight = 2 x height, colour table, XOR bitmap (1, 4, 8, 24 or
/// 32 bits), then the 1-bit AND mask, both bottom-up with rows padded to 4 bytes.
/// A pixel is:
///   - AND 0: the XOR colour, opaque;
///   - AND 1 and XOR colour black: transparent (0x00000000);
///   - AND 1 and any other XOR colour: what lies under it XOR that colour; transparent in
///     `pixels` with the colour in the image's invert plane.
/// A 32-bit entry with any non-zero alpha uses its alpha and ignores the AND mask (it has no
/// inverting pixels, whatever colour its transparent pixels hold); one whose alpha is 0
/// everywhere is read like a 24-bit entry. PNG entries have no inverting pixels. For cursors the
/// directory's planes and bit-count fields are the hot spot x and y.
/// All images together have at most `maxPixels` pixels, an invert plane's counted as much again
/// and entries that share their data counted each time.
Result<std::vector<IconImage>> DecodeIconFile(std::span<const uint8_t> file,
                                              int64_t maxPixels = kMaxImagePixels);

/// The one image of an icon or cursor file whose directory entry says it is width × height
/// pixels (a size byte of 0 standing for 256), or the file's first image when none does. The
/// entry is chosen from the directory and only it is decoded, within `maxPixels` (its invert
/// plane included). Fails as DecodeIconFile does.
Result<IconImage> DecodeIconFileImage(std::span<const uint8_t> file, int32_t width, int32_t height,
                                      int64_t maxPixels = kMaxImagePixels);

/// The square image of an icon or cursor file that serves a place of `side` pixels best: the
/// smallest its directory lists at least that large, else the largest; the first image when the
/// directory lists no square one. Only that entry is decoded, within `maxPixels` (its invert
/// plane included).
Result<IconImage> DecodeIconFileImageAtLeast(std::span<const uint8_t> file, int32_t side,
                                             int64_t maxPixels = kMaxImagePixels);

/// The most scans DecodeJpeg reads from one file; encoders write at most a few dozen.
constexpr int kMaxJpegScans = 500;

/// DecodeJpeg's bound on work, counted in units of about one coefficient decoded. A scan costs,
/// for each block (8 x 8 samples of one component) it covers, kJpegBlockWork for the block and
/// one unit for each coefficient of its band (Ss..Se; all 64 in a sequential file), two in a
/// refinement scan (Ah != 0), which reads a correction for every coefficient already known.
/// (libjpeg's work on a block beside its coefficients, entering it and ending its run, is
/// about that of eight.) A file may spend kJpegPicturePasses times one sequential pass over its
/// picture (every block once with its 64 coefficients) and kJpegWorkPerFileByte more for each
/// byte of the file.
constexpr int64_t kJpegBlockWork = 8;
constexpr int64_t kJpegPicturePasses = 8;
constexpr int64_t kJpegWorkPerFileByte = 64;

/// The most memory DecodeJpeg plans for: the picture's pixels and, in a file of several scans,
/// libjpeg's buffer of every coefficient (128 bytes a block), together. A decode within a
/// smaller pixel budget plans for at most kJpegDecodeBytesPerPixel bytes a pixel of it: room
/// for the pixels and the coefficients of a subsampled colour picture, not those of a 4:4:4
/// picture of the budget's whole size, which take 10.
constexpr int64_t kMaxJpegDecodeBytes = int64_t{256} << 20;
constexpr int64_t kJpegDecodeBytesPerPixel = 8;

/// A baseline or progressive JPEG (grey or YCbCr), opaque. Any libjpeg warning (corrupt or
/// truncated data) is an error. CMYK files and files of more than `maxPixels` pixels are
/// rejected, and so, before any scan is decoded, is a file whose pixels and coefficient buffer
/// together take more than kJpegDecodeBytesPerPixel bytes a pixel of the budget or
/// kMaxJpegDecodeBytes.
///
/// Every scan makes libjpeg decode each block it covers, however few bytes the scan holds: an
/// arithmetic-coded scan over a million blocks can take 10 bytes, and a progressive file may
/// repeat a scan. So a file is rejected at the scan past kMaxJpegScans, or at the scan that
/// takes its work past kJpegPicturePasses sequential passes over its picture plus
/// kJpegWorkPerFileByte times its size in bytes. Sequential files take one pass, progressive
/// ones from libjpeg's own scripts about five (refinement counted double).
Result<Image> DecodeJpeg(std::span<const uint8_t> file, int64_t maxPixels = kMaxImagePixels);

/// The top-left pixels of an image, and the size of the whole image.
struct ImagePart {
    Image image;
    int32_t wholeWidth = 0;
    int32_t wholeHeight = 0;
};

/// The top-left `width` x `height` pixels of the JPEG (fewer where the picture is smaller; at
/// least one each way), as DecodeJpeg decodes them and with its checks and limits. Only the
/// columns of that part are decoded (widened by libjpeg to whole blocks), and decoding stops
/// after its last row: a picture shown cut off costs only the part that shows.
Result<ImagePart> DecodeJpegTopLeft(std::span<const uint8_t> file, int32_t width, int32_t height,
                                    int64_t maxPixels = kMaxImagePixels);

/// A PNG file of any colour type and depth, converted to 8-bit RGBA (tRNS gives alpha). Files
/// of more than `maxPixels` pixels are rejected. Of the ancillary chunks only those that bear
/// on the colours are read (text, for one, is never inflated), and image data that inflates
/// to more bytes than the rows hold is rejected.
Result<Image> DecodePng(std::span<const uint8_t> file, int64_t maxPixels = kMaxImagePixels);

// The writers below return the file, or fail at offset 0: for an image or a setting they cannot
// write, and when libjpeg or libpng fails.

/// A PNG file of the image: 8-bit RGBA, or 8-bit RGB when every pixel is opaque. Fails when the
/// size does not match the pixels.
Result<std::vector<uint8_t>> EncodePng(const Image& image);

/// A 24-bit BI_RGB BMP file with its 14-byte header: bottom-up rows of blue, green, red bytes,
/// each row padded with zeros to a multiple of 4 bytes. Alpha is dropped. Fails when the size
/// does not match the pixels.
Result<std::vector<uint8_t>> EncodeBmp24(const Image& image);

/// A baseline JFIF file of the image at a libjpeg quality of 1 to 100: YCbCr with every
/// component at full resolution (4:4:4, no chroma subsampling, so that thin coloured detail
/// keeps its colour), Huffman tables optimised for the image. Alpha is dropped. Fails when the
/// size does not match the pixels, a side exceeds kMaxImageSide or the quality is out of range.
Result<std::vector<uint8_t>> EncodeJpeg(const Image& image, int quality);

/// An ICO (cursor false) or CUR file holding the images in order. An image `pngSide` pixels
/// wide or high or more is stored as a PNG entry, as an image of 256 always is (directory size
/// byte 0). Others are DIB entries in the depth bitCount asks:
///   - 1: monochrome, palette black and white, each pixel the nearer of the two;
///   - 4: the 16-colour palette of the classic desktop, each pixel its nearest entry;
///   - 8 and 24: 24 bits;
///   - 32 or 0: 32 bits with alpha.
/// Below 32 bits a pixel with alpha under 128 is written transparent (AND 1, XOR black) and an
/// inverting pixel AND 1 over its invert colour (at 1 and 4 bits the nearest palette colour; one
/// nearest black is transparent); at 32 bits the AND mask is 1 where alpha is 0, and inverting
/// pixels are written transparent, since readers take such an entry's alpha, not its mask. Cursor
/// entries store the hot spot in the planes and bit-count fields, icon entries planes 1 and the bit
/// count. Fails for an empty list or one of more than 65535 images, a size outside 1..256 or not
/// matching the pixels, a cursor's hot spot outside it, or another bitCount.
Result<std::vector<uint8_t>> EncodeIconFile(std::span<const IconImage> images, bool cursor,
                                            int32_t pngSide = 256);

/// The image for a display that cannot invert what lies under it, such as an ARGB pointer or
/// window icon: each inverting pixel becomes opaque black where its invert colour is light
/// (red + green + blue above 384, which darkens the light windows a pointer mostly crosses) and
/// opaque white where it is dark. The result has no invert plane; other pixels are unchanged.
Image WithInvertStandIns(Image image);

}  // namespace platform
