#pragma once

namespace platform {

/// Keeps X protocol errors from ending the program. Xlib's default handler prints the error and
/// exits, so a request that reaches a window the server has already destroyed (a race that
/// closing windows can lose) would end the program and lose the user's work. Errors about
/// windows that no longer exist are dropped; any other is reported on standard error.
///
/// A lost connection to the display is another matter: Xlib cannot go on without it, so the
/// program says so on standard error and ends at once with status 1.
///
/// Call it once after the display is open on X11.
void KeepXErrorsFromEndingTheProgram();

}  // namespace platform
