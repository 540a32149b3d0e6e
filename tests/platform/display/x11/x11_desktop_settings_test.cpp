// A backend following the desktop's settings as they change, the test playing the settings
// manager and xrdb: the screen's scale, and a shown window's size, follow each change.
#include <gtest/gtest.h>

#include <string_view>
#include <vector>

#include "tests/platform/display/x11/x11_fixture.h"
#include "tests/support/xsettings_property.h"

#include <X11/Xatom.h>

namespace platform {
namespace {

using testsupport::XSettingsProperty;

class X11DesktopSettingsTest : public X11Fixture {
  protected:
    static void SetUpTestSuite() { StartBackend(nullptr); }

    void SetUp() override {
        X11Fixture::SetUp();
        window.Show();
        Drain();
    }

    /// Becomes the screen's settings manager with the settings `property` and says so to
    /// every program, as a manager does when it starts.
    void Manage(const std::vector<uint8_t>& property) {
        manager = XCreateSimpleWindow(display.Get(), root, -1, -1, 1, 1, 0, 0, 0);
        Write(property);
        XSetSelectionOwner(display.Get(), AtomNamed("_XSETTINGS_S0"), manager, CurrentTime);
        XEvent message{};
        message.xclient.type = ClientMessage;
        message.xclient.window = root;
        message.xclient.message_type = AtomNamed("MANAGER");
        message.xclient.format = 32;
        message.xclient.data.l[1] = static_cast<long>(AtomNamed("_XSETTINGS_S0"));
        message.xclient.data.l[2] = static_cast<long>(manager);
        XSendEvent(display.Get(), root, False, StructureNotifyMask, &message);
        Drain();
    }
    void Write(const std::vector<uint8_t>& property) {
        const Atom settings = AtomNamed("_XSETTINGS_SETTINGS");
        XChangeProperty(display.Get(), manager, settings, settings, 8, PropModeReplace,
                        property.data(), static_cast<int>(property.size()));
        Drain();
    }
    void WriteResources(std::string_view resources) {
        XChangeProperty(display.Get(), root, XA_RESOURCE_MANAGER, XA_STRING, 8, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(resources.data()),
                        static_cast<int>(resources.size()));
        Drain();
    }
    /// The scale in 120ths and the window's device size, as "180: 120x90".
    std::string Shown() {
        XWindowAttributes attributes{};
        XGetWindowAttributes(display.Get(), window.NativeId(), &attributes);
        return std::to_string(backend.Screen().Scale().Per120()) + ": " +
               std::to_string(attributes.width) + "x" + std::to_string(attributes.height);
    }

    RecordingWindow window{system, nullptr, Rect::FromSize(100, 50, 80, 60)};
    ::Window root = DefaultRootWindow(display.Get());
    ::Window manager = 0;
};

TEST_F(X11DesktopSettingsTest, FollowsTheManagersSettingsUntilItGoesAway) {
    EXPECT_EQ(Shown(), "120: 80x60");
    Manage(XSettingsProperty(false, 1).Integer("Xft/DPI", 147456).bytes);
    EXPECT_EQ(Shown(), "180: 120x90");
    Write(XSettingsProperty(true, 1).Integer("Gdk/WindowScalingFactor", 2).bytes);
    EXPECT_EQ(Shown(), "240: 160x120");
    // Malformed, or larger than a settings property may be: the settings stay.
    Write({0, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 0, 0});
    std::vector<uint8_t> large = XSettingsProperty(false, 1).Integer("Xft/DPI", 98304).bytes;
    large.resize(X11DesktopSettings::kMaxSettingsBytes + 1);
    Write(large);
    EXPECT_EQ(Shown(), "240: 160x120");
    XDestroyWindow(display.Get(), manager);
    Drain();
    EXPECT_EQ(Shown(), "120: 80x60");
}

TEST_F(X11DesktopSettingsTest, TheResourceDecidesWithoutTheManagersScale) {
    WriteResources("Xft.antialias:\t1\nXft.dpi:\t168\n");
    EXPECT_EQ(Shown(), "210: 140x105");
    Manage(XSettingsProperty(false, 1).String("Net/ThemeName", "Adwaita").bytes);
    EXPECT_EQ(Shown(), "210: 140x105");
    Write(XSettingsProperty(false, 1).Integer("Xft/DPI", 122880).bytes);
    EXPECT_EQ(Shown(), "150: 100x75");
    XDeleteProperty(display.Get(), root, XA_RESOURCE_MANAGER);
    XDestroyWindow(display.Get(), manager);
    Drain();
    EXPECT_EQ(Shown(), "120: 80x60");
}

}  // namespace
}  // namespace platform
