// Prints each appearance PortalAppearance tells, a line each in the portal's own numbers
// ("color-scheme 1 contrast 1 reduced-motion 0"), or "none" when it tells that there is no
// portal; for the end-to-end tests, which run it against a stand-in of the portal on a private
// session bus. Exits with status 1 when there is no session bus; otherwise runs until ended.
#include <poll.h>

#include <cstdio>
#include <optional>

#include "platform/bus/portal_appearance.h"
#include "platform/display/headless/headless_backend.h"

namespace {

void Print(std::optional<platform::Appearance> appearance) {
    if (!appearance) {
        std::printf("none\n");
    } else {
        std::printf("color-scheme %d contrast %d reduced-motion %d\n",
                    static_cast<int>(appearance->colors), appearance->highContrast ? 1 : 0,
                    appearance->reducedMotion ? 1 : 0);
    }
    std::fflush(stdout);
}

}  // namespace

int main() {
    platform::HeadlessBackend backend;
    platform::EventSource& events = backend.Events();
    const auto portal = platform::bus::PortalAppearance::Open(events, Print);
    if (!portal) return 1;
    // The headless wait only runs what is ready: the probe waits for the bus itself.
    for (;;) {
        const platform::WaitInterest interest = portal->Interest();
        pollfd fd{interest.fd, static_cast<short>(POLLIN | (interest.writable ? POLLOUT : 0)), 0};
        poll(&fd, 1, -1);
        events.WaitForEvents(platform::kNoDeadline);
    }
}
