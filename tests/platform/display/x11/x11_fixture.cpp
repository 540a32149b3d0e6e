#include "tests/platform/display/x11/x11_fixture.h"

#include <cstdlib>

#include <X11/Xutil.h>

namespace platform {
namespace {

// XDestroyImage is a macro.
void DestroyImage(XImage* image) {
    XDestroyImage(image);
}

}  // namespace

void X11Fixture::StartBackend(const char* gdkScale) {
    if (gdkScale) {
        ::setenv("GDK_SCALE", gdkScale, 1);
    } else {
        ::unsetenv("GDK_SCALE");
    }
    shared_ = std::make_unique<X11Backend>("tavik-calculator");
}

XProperty ReadProperty(Display* display, ::Window window, Atom name, bool remove) {
    XProperty property;
    unsigned long count = 0;
    unsigned long left = 0;
    unsigned char* raw = nullptr;
    // The length is counted in 32-bit units: this asks for everything there is.
    const int status =
        XGetWindowProperty(display, window, name, 0, 1 << 24, remove ? True : False,
                           AnyPropertyType, &property.type, &property.format, &count, &left, &raw);
    const XMemory<unsigned char> data(raw);
    if (status != Success || property.type == None) return {};
    if (property.format == 8) property.bytes.assign(raw, raw + count);
    if (property.format == 32) {
        // Xlib hands 32-bit items over as longs, sign-extended: only the low 32 bits are the
        // item.
        const auto* items = reinterpret_cast<const unsigned long*>(raw);
        for (unsigned long i = 0; i < count; ++i)
            property.items.push_back(static_cast<uint32_t>(items[i]));
    }
    return property;
}

std::vector<uint32_t> ReadPixels(Display* display, ::Window window, const Rect& area) {
    const Owned<XImage*, DestroyImage> image(
        XGetImage(display, window, area.left, area.top, static_cast<unsigned>(area.Width()),
                  static_cast<unsigned>(area.Height()), AllPlanes, ZPixmap));
    if (!image) return {};
    std::vector<uint32_t> pixels;
    pixels.reserve(static_cast<size_t>(area.Width()) * static_cast<size_t>(area.Height()));
    for (int32_t y = 0; y < area.Height(); ++y)
        for (int32_t x = 0; x < area.Width(); ++x)
            pixels.push_back(static_cast<uint32_t>(XGetPixel(image.Get(), x, y)));
    return pixels;
}

void FillWindow(Display* display, ::Window window, const Rect& area, uint32_t pixel) {
    const GC gc = XCreateGC(display, window, 0, nullptr);
    XSetForeground(display, gc, pixel);
    XFillRectangle(display, window, gc, area.left, area.top, static_cast<unsigned>(area.Width()),
                   static_cast<unsigned>(area.Height()));
    XFreeGC(display, gc);
    XSync(display, False);
}

XErrorTrap::XErrorTrap(Display* display) {
    XSync(display, False);
    trapped_ = display;
    firstError_ = 0;
    previous_ = XSetErrorHandler(Record);
}

XErrorTrap::~XErrorTrap() {
    XSync(trapped_, False);
    XSetErrorHandler(previous_);
    trapped_ = nullptr;
}

int XErrorTrap::FirstError() {
    XSync(trapped_, False);
    return firstError_;
}

int XErrorTrap::Record(Display* display, XErrorEvent* error) {
    if (display != trapped_) return previous_ ? previous_(display, error) : 0;
    if (firstError_ == 0) firstError_ = error->error_code;
    return 0;
}

}  // namespace platform
