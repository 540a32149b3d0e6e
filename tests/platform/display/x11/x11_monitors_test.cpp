// Where windows may go: the RandR monitor under the pointer (or a given point), else the
// primary one, less the window manager's work area. The test lays out two monitors side by
// side, the right one primary, as `xrandr --setmonitor` does.
#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "tests/platform/display/x11/x11_fixture.h"

#include <X11/Xatom.h>
#include <X11/extensions/Xrandr.h>

namespace platform {
namespace {

const Rect kLeft{0, 0, 512, 768};
const Rect kRight{512, 0, 1024, 768};

class X11Monitors : public X11Fixture {
  protected:
    void SetUp() override {
        X11Fixture::SetUp();
        Display* d = display.Get();
        // The right monitor takes the screen's output, which otherwise makes a monitor of its
        // own over the whole screen.
        XRRScreenResources* resources = XRRGetScreenResources(d, root);
        ASSERT_NE(resources, nullptr);
        ASSERT_GT(resources->noutput, 0);
        RROutput output = resources->outputs[0];
        AddMonitor("TEST-LEFT", kLeft, false, nullptr);
        AddMonitor("TEST-RIGHT", kRight, true, &output);
        XRRFreeScreenResources(resources);
        XSync(d, False);
    }

    void TearDown() override {
        for (const char* name : {"TEST-LEFT", "TEST-RIGHT"})
            XRRDeleteMonitor(display.Get(), root, AtomNamed(name));
        for (const char* name : {"_NET_WORKAREA", "_NET_CURRENT_DESKTOP"})
            XDeleteProperty(display.Get(), root, AtomNamed(name));
        XSync(display.Get(), False);
    }

    void AddMonitor(const char* name, const Rect& r, bool primary, RROutput* output) {
        XRRMonitorInfo* monitor = XRRAllocateMonitor(display.Get(), output ? 1 : 0);
        monitor->name = AtomNamed(name);
        monitor->primary = primary;
        monitor->x = r.left;
        monitor->y = r.top;
        monitor->width = r.Width();
        monitor->height = r.Height();
        monitor->mwidth = r.Width() / 4;
        monitor->mheight = r.Height() / 4;
        if (output) monitor->outputs[0] = *output;
        XRRSetMonitor(display.Get(), root, monitor);
        XRRFreeMonitors(monitor);
    }

    void SetCardinals(const char* name, const std::vector<long>& values) {
        XChangeProperty(display.Get(), root, AtomNamed(name), XA_CARDINAL, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(values.data()),
                        static_cast<int>(values.size()));
        XSync(display.Get(), False);
    }

    void PointerAt(int x, int y) {
        XWarpPointer(display.Get(), 0, root, 0, 0, 0, 0, x, y);
        XSync(display.Get(), False);
    }

    ::Window root = DefaultRootWindow(display.Get());
};

TEST_F(X11Monitors, IsTheMonitorUnderThePointerOrThePointGiven) {
    const struct {
        Point pointer;
        std::optional<Point> near;
        Rect expected;
    } cases[] = {
        {{100, 100}, std::nullopt, kLeft},
        {{700, 100}, std::nullopt, kRight},
        {{100, 100}, Point{600, 50}, kRight},
        {{700, 100}, Point{511, 767}, kLeft},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "pointer " << c.pointer.x << "," << c.pointer.y);
        PointerAt(c.pointer.x, c.pointer.y);
        EXPECT_EQ(backend.Screen().WorkArea(c.near), c.expected);
    }
}

TEST_F(X11Monitors, LeavesOutTheCurrentDesktopsPanels) {
    PointerAt(700, 100);
    const struct {
        std::vector<long> workArea;
        std::optional<long> desktop;
        Rect expected;
    } cases[] = {
        {{0, 24, 1024, 744}, std::nullopt, {512, 24, 1024, 768}},
        {{0, 0, 1024, 768, 0, 30, 990, 700}, 1, {512, 30, 990, 730}},
        // A desktop the work area does not list takes the first one's.
        {{0, 24, 1024, 744}, 3, {512, 24, 1024, 768}},
        // A work area off the monitor, or empty, leaves the monitor whole.
        {{0, 0, 200, 200}, std::nullopt, kRight},
        {{0, 0, 0, 0}, std::nullopt, kRight},
        {{0, 24}, std::nullopt, kRight},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "work area of " << c.workArea.size() << " values");
        SetCardinals("_NET_WORKAREA", c.workArea);
        if (c.desktop) {
            SetCardinals("_NET_CURRENT_DESKTOP", {*c.desktop});
        } else {
            XDeleteProperty(display.Get(), root, AtomNamed("_NET_CURRENT_DESKTOP"));
        }
        EXPECT_EQ(backend.Screen().WorkArea(std::nullopt), c.expected);
    }
}

}  // namespace
}  // namespace platform
