#include "platform/ui/x11/x11_errors.h"

#include <X11/Xlib.h>

#include <cstdio>
#include <cstdlib>

namespace platform {
namespace {

int ReportXError(Display* display, XErrorEvent* error) {
    if (error->error_code == BadWindow || error->error_code == BadDrawable) return 0;
    char text[256];
    XGetErrorText(display, error->error_code, text, sizeof text);
    std::fprintf(stderr, "tavik-calculator: X error ignored: %s (request %d)\n", text,
                 error->request_code);
    return 0;
}

// Xlib ends the process itself if this returns: end it here, after saying why.
int ReportLostConnection(Display* display) {
    std::fprintf(stderr, "tavik-calculator: the connection to the display \"%s\" was lost\n",
                 DisplayString(display));
    std::_Exit(1);
}

}  // namespace

void KeepXErrorsFromEndingTheProgram() {
    XSetErrorHandler(ReportXError);
    XSetIOErrorHandler(ReportLostConnection);
}

}  // namespace platform
