#pragma once

namespace platform {

/// Opens its own connection to the X display and makes requests about a window the server does
/// not know, waiting for the server's errors; false when no display could be opened. X11's
/// headers stay in the .cpp: their macros clash with other headers.
bool RequestAGoneWindow();

}  // namespace platform
