#pragma once

#include <string>
#include <string_view>

// Xlib's headers come after ours.
#include <X11/Xlib.h>

namespace platform {

/// The startup notification protocol's "remove" message for the launch `startupId`, as it
/// travels: the text `remove: ID=<id>` (the id quoted where it holds a space, a quote or a
/// backslash) and a terminating NUL, cut into 20-byte client messages.
std::string LaunchEndMessage(std::string_view startupId);

/// Tells the desktop that the launch `startupId` is over (its busy pointer and task entry go):
/// the "remove" message sent to the root window from window `from`, one of the program's own.
void EndLaunch(Display* display, ::Window root, ::Window from, std::string_view startupId);

/// When the user asked for the launch, on the display's clock: the number after the last
/// "_TIME" of a startup id, as launchers write it; CurrentTime when it has none.
Time LaunchTime(std::string_view startupId);

}  // namespace platform
