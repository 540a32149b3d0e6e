#include "tests/platform/display/x11/x11_gone_window.h"

#include <X11/Xlib.h>

namespace platform {

bool RequestAGoneWindow() {
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) return false;
    const ::Window gone = 0x1FFFFF;
    XMapWindow(display, gone);
    XEvent event{};
    XSendEvent(display, gone, False, NoEventMask, &event);
    XSync(display, False);
    XCloseDisplay(display);
    return true;
}

}  // namespace platform
