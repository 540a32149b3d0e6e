#include "platform/display/x11/x11_put_pixels.h"

#include <algorithm>
#include <bit>

#include "platform/display/swap_red_blue.h"

// Xlib's headers define macros such as None, Bool and Status: they come after ours. Xlibint.h
// gives what extensions build their own requests with.
#include <X11/Xlibint.h>
#include <X11/Xproto.h>
#include <X11/Xutil.h>
#undef min
#undef max

namespace platform {
namespace {

/// Pixels converted at a time: the conversion buffer is 16 KB whatever the size of the area.
constexpr int32_t kBandPixels = 4096;

/// Words of a PutImage request before its pixels, with the length word a big request adds.
constexpr long kPutImageHeaderWords = sz_xPutImageReq / 4 + 1;

/// The 8-bit channel `value` placed in the bits of `mask`, keeping its most significant bits.
unsigned long ChannelBits(uint32_t value, unsigned long mask) {
    const int shift = std::countr_zero(mask);
    const int bits = std::popcount(mask);
    const unsigned long scaled = bits >= 8 ? static_cast<unsigned long>(value) << (bits - 8)
                                           : static_cast<unsigned long>(value >> (8 - bits));
    return (scaled << shift) & mask;
}

/// Converts the device pixels `part` of `pixels` into 32-bit pixel values of the
/// visual, one row after another, in the machine's byte order.
void ConvertRows(const Surface& pixels, const Rect& part, const Visual& visual, uint32_t* to) {
    const int32_t width = part.Width();
    if (visual.red_mask == 0xFF0000 && visual.green_mask == 0xFF00 && visual.blue_mask == 0xFF) {
        CopySwappingRedBlue(pixels, part, reinterpret_cast<uint8_t*>(to), width * 4);
        return;
    }
    for (int32_t y = part.top; y < part.bottom; ++y) {
        const Color* from = pixels.DevicePixelAt(part.left, y);
        for (int32_t i = 0; i < width; ++i) {
            const Color c = from[i];
            *to++ = static_cast<uint32_t>(ChannelBits(c & 0xFF, visual.red_mask) |
                                          ChannelBits((c >> 8) & 0xFF, visual.green_mask) |
                                          ChannelBits((c >> 16) & 0xFF, visual.blue_mask));
        }
    }
}

/// Composes the rows `rows` and converts them as ConvertRows does; black where the window no
/// longer has them (it went away meanwhile).
void ConvertBand(const FrameSource& pixels, const Rect& rows, const Visual& visual, uint32_t* to) {
    const Surface composed = pixels(rows);
    if (composed.DeviceArea().Intersect(rows) == rows) {
        ConvertRows(composed, rows, visual, to);
    } else {
        std::fill_n(to, static_cast<size_t>(rows.Width()) * static_cast<size_t>(rows.Height()), 0);
    }
}

/// One PutImage request for `part`, its pixels converted and sent `band` rows at a time.
void SendPutImage(Display* dpy, Drawable to, GC gc, const Visual& visual, int depth,
                  const FrameSource& pixels, const Rect& part, int32_t bandRows,
                  std::vector<uint32_t>& band) {
    // GetReq and the macros with it name the display `dpy`.
    const bool swapBytes =
        (ImageByteOrder(dpy) == LSBFirst) != (std::endian::native == std::endian::little);
    LockDisplay(dpy);
    FlushGC(dpy, gc);
    xPutImageReq* request = nullptr;
    GetReq(PutImage, request);
    request->drawable = to;
    request->gc = XGContextFromGC(gc);
    request->dstX = static_cast<INT16>(part.left);
    request->dstY = static_cast<INT16>(part.top);
    request->width = static_cast<CARD16>(part.Width());
    request->height = static_cast<CARD16>(part.Height());
    request->format = ZPixmap;
    request->leftPad = 0;
    request->depth = static_cast<CARD8>(depth);
    long words = static_cast<long>(part.Width()) * part.Height();
    SetReqLen(request, words, words);
    for (int32_t top = part.top; top < part.bottom; top += bandRows) {
        const Rect rows{part.left, top, part.right, std::min(part.bottom, top + bandRows)};
        ConvertBand(pixels, rows, visual, band.data());
        const size_t count = static_cast<size_t>(rows.Width()) * static_cast<size_t>(rows.Height());
        if (swapBytes)
            std::transform(band.begin(), band.begin() + count, band.begin(),
                           [](uint32_t v) { return __builtin_bswap32(v); });
        // Into Xlib's output buffer while it has room (a key's few pixels go with the requests
        // around them), else straight to the connection.
        Data(dpy, reinterpret_cast<const char*>(band.data()), static_cast<long>(count * 4));
    }
    UnlockDisplay(dpy);
    SyncHandle();
}

/// XPutImage of `part` in bands, for a server that stores the visual's pixels in other than 32
/// bits: Xlib converts them.
void PutImageInBands(Display* x, Drawable to, GC gc, const Visual& visual, int depth,
                     const FrameSource& pixels, const Rect& part, int32_t bandRows,
                     std::vector<uint32_t>& band) {
    for (int32_t top = part.top; top < part.bottom; top += bandRows) {
        const Rect rows{part.left, top, part.right, std::min(part.bottom, top + bandRows)};
        ConvertBand(pixels, rows, visual, band.data());
        XImage image{};
        image.width = rows.Width();
        image.height = rows.Height();
        image.format = ZPixmap;
        image.data = reinterpret_cast<char*>(band.data());
        image.byte_order = std::endian::native == std::endian::little ? LSBFirst : MSBFirst;
        image.bitmap_unit = 32;
        image.bitmap_bit_order = image.byte_order;
        image.bitmap_pad = 32;
        image.depth = depth;
        image.bytes_per_line = rows.Width() * 4;
        image.bits_per_pixel = 32;
        image.red_mask = visual.red_mask;
        image.green_mask = visual.green_mask;
        image.blue_mask = visual.blue_mask;
        if (!XInitImage(&image)) return;
        XPutImage(x, to, gc, &image, 0, 0, rows.left, rows.top, static_cast<unsigned>(rows.Width()),
                  static_cast<unsigned>(rows.Height()));
    }
}

}  // namespace

void PutPixels(const X11Display& display, Drawable to, GC gc, const FrameSource& pixels,
               const Rect& area, std::vector<uint32_t>& band) {
    Display* x = display.X();
    const Visual& visual = display.TrueColour();
    const int depth = display.Depth();
    const int32_t width = area.Width();
    const int32_t bandRows = std::max(1, kBandPixels / width);
    band.resize(static_cast<size_t>(width) * static_cast<size_t>(bandRows));
    if (display.PixelBits() != 32) {
        PutImageInBands(x, to, gc, visual, depth, pixels, area, bandRows, band);
        return;
    }
    const long extended = XExtendedMaxRequestSize(x);
    const long maxWords = extended > 0 ? extended : XMaxRequestSize(x);
    const int32_t requestRows =
        static_cast<int32_t>(std::max(1L, (maxWords - kPutImageHeaderWords) / width));
    for (int32_t top = area.top; top < area.bottom; top += requestRows) {
        const Rect part{area.left, top, area.right, std::min(area.bottom, top + requestRows)};
        SendPutImage(x, to, gc, visual, depth, pixels, part, bandRows, band);
    }
}

}  // namespace platform
