#include "platform/display/x11/x11_monitors.h"

#include <vector>

#include <X11/Xatom.h>
#include <X11/extensions/Xrandr.h>

namespace platform {
namespace {

/// The monitors RandR knows, the primary one first; empty without RandR 1.5.
std::vector<Rect> Monitors(Display* display, ::Window root) {
    std::vector<Rect> monitors;
    int eventBase = 0;
    int errorBase = 0;
    if (!XRRQueryExtension(display, &eventBase, &errorBase)) return monitors;
    int count = 0;
    XRRMonitorInfo* info = XRRGetMonitors(display, root, True, &count);
    if (!info) return monitors;
    for (int i = 0; i < count; ++i) {
        const Rect r = Rect::FromSize(info[i].x, info[i].y, info[i].width, info[i].height);
        if (r.IsEmpty()) continue;
        if (info[i].primary) {
            monitors.insert(monitors.begin(), r);
        } else {
            monitors.push_back(r);
        }
    }
    XRRFreeMonitors(info);
    return monitors;
}

std::optional<Point> PointerPosition(Display* display, ::Window root) {
    ::Window rootReturn = 0;
    ::Window child = 0;
    int x = 0;
    int y = 0;
    int childX = 0;
    int childY = 0;
    unsigned int mask = 0;
    // False when the pointer is on another screen of the display.
    if (!XQueryPointer(display, root, &rootReturn, &child, &x, &y, &childX, &childY, &mask))
        return std::nullopt;
    return Point{x, y};
}

/// The first `count` cardinals of a root window property; fewer when it has fewer.
std::vector<long> Cardinals(Display* display, ::Window root, const char* name, long count) {
    std::vector<long> values;
    Atom type = 0;
    int format = 0;
    unsigned long items = 0;
    unsigned long after = 0;
    unsigned char* raw = nullptr;
    const Atom property = XInternAtom(display, name, False);
    const int status = XGetWindowProperty(display, root, property, 0, count, False, XA_CARDINAL,
                                          &type, &format, &items, &after, &raw);
    const XMemory<unsigned char> data(raw);
    if (status == Success && type == XA_CARDINAL && format == 32) {
        const auto* longs = reinterpret_cast<const long*>(data.Get());
        values.assign(longs, longs + items);
    }
    return values;
}

/// Desktops whose work areas are read; a later current desktop takes the first one's.
constexpr long kMaxDesktops = 64;

/// The current desktop's work area (x, y, width, height for each desktop); empty when the
/// window manager gives none.
Rect DesktopWorkArea(Display* display, ::Window root) {
    const std::vector<long> current = Cardinals(display, root, "_NET_CURRENT_DESKTOP", 1);
    const std::vector<long> areas = Cardinals(display, root, "_NET_WORKAREA", 4 * kMaxDesktops);
    const long desktop = current.empty() ? 0 : current.front();
    const size_t first = desktop >= 0 && 4 * desktop + 4 <= static_cast<long>(areas.size())
                             ? static_cast<size_t>(4 * desktop)
                             : 0;
    if (areas.size() < first + 4 || areas[first + 2] <= 0 || areas[first + 3] <= 0) return {};
    return Rect::FromSize(
        static_cast<int32_t>(areas[first]), static_cast<int32_t>(areas[first + 1]),
        static_cast<int32_t>(areas[first + 2]), static_cast<int32_t>(areas[first + 3]));
}

}  // namespace

Rect MonitorWorkArea(Display* display, ::Window root, std::optional<Point> near) {
    const int screen = DefaultScreen(display);
    Rect monitor{0, 0, DisplayWidth(display, screen), DisplayHeight(display, screen)};
    const std::vector<Rect> monitors = Monitors(display, root);
    if (!monitors.empty()) monitor = monitors.front();
    if (!near) near = PointerPosition(display, root);
    if (near) {
        for (const Rect& m : monitors) {
            if (m.Contains(*near)) {
                monitor = m;
                break;
            }
        }
    }
    const Rect usable = monitor.Intersect(DesktopWorkArea(display, root));
    return usable.IsEmpty() ? monitor : usable;
}

Rect X11Screen::WorkArea(std::optional<Point> near) const {
    const DeviceScale scale = display_.Scale();
    if (near) near = Point{scale.Edge(near->x), scale.Edge(near->y)};
    return scale.Cover(MonitorWorkArea(display_.X(), display_.Root(), near));
}

}  // namespace platform
