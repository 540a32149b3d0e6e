#include "platform/display/x11/x11_errors.h"

#include <errno.h>

#include <cstdio>

// Xlib's headers come after ours.
#include <X11/Xlib.h>

namespace platform {
namespace {

int ReportXError(Display* display, XErrorEvent* error) {
    if (error->error_code == BadWindow || error->error_code == BadDrawable) return 0;
    char text[256];
    XGetErrorText(display, error->error_code, text, sizeof text);
    // Said in the running program's name, which the platform layer does not know otherwise.
    std::fprintf(stderr, "%s: X error ignored: %s (request %d)\n", program_invocation_short_name,
                 text, error->request_code);
    return 0;
}

// The exit handler that follows says what happened, to whoever owns the display.
int KeepQuietAboutLostConnection(Display*) {
    return 0;
}

}  // namespace

void KeepXErrorsFromEndingTheProgram(Display* display, void (*onLost)(Display*, void*),
                                     void* data) {
    XSetErrorHandler(ReportXError);
    XSetIOErrorHandler(KeepQuietAboutLostConnection);
    XSetIOErrorExitHandler(display, onLost, data);
}

}  // namespace platform
