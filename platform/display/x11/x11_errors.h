#pragma once

// Xlib's types, declared as Xlib does, so that includers need not see its macros.
struct _XDisplay;

namespace platform {

/// Keeps X protocol errors from ending the program. Xlib's default handler prints the error and
/// exits, so a request that reaches a window the server has already destroyed (a race that
/// closing windows can lose) would end the program and lose the user's work. Errors about
/// windows that no longer exist are dropped; any other is reported on standard error.
///
/// A lost connection to `display` ends nothing either: Xlib's default I/O error handler prints
/// a message of its own and exits, so the handler here says nothing, and Xlib's exit handler
/// (XSetIOErrorExitHandler, libX11 1.7 and later) calls `onLost(display, data)` and returns
/// instead of exiting. Xlib's calls on the display return at once from then on; the backend
/// tells the window system, and the program the user.
///
/// Call it once for each display, right after it is opened.
void KeepXErrorsFromEndingTheProgram(_XDisplay* display, void (*onLost)(_XDisplay*, void*),
                                     void* data);

}  // namespace platform
