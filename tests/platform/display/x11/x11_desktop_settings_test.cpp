// A backend following the desktop's settings as they change, the test playing the settings
// manager and xrdb: the screen's scale, a shown window's size and the pointer follow each change.
#include <gtest/gtest.h>

#include <span>
#include <string>
#include <utility>
#include <vector>

#include "platform/display/x11/x11_desktop_settings.h"
#include "tests/platform/display/x11/x11_fixture.h"
#include "tests/support/xsettings_property.h"

#include <X11/Xatom.h>
#include <X11/extensions/Xfixes.h>

namespace platform {
namespace {

using testsupport::XSettingsBytes;
using XSettingsList = std::vector<std::pair<std::string, XSettingValue>>;

class X11DesktopSettingsTest : public X11Fixture {
  protected:
    static void SetUpTestSuite() { StartBackend(nullptr); }

    void SetUp() override {
        X11Fixture::SetUp();
        int eventBase = 0, errorBase = 0, major = 4, minor = 0;
        ASSERT_TRUE(XFixesQueryExtension(display.Get(), &eventBase, &errorBase));
        XFixesQueryVersion(display.Get(), &major, &minor);
        window.Show();
        backend.Windows().SetPointer(&pointer);
        XWarpPointer(display.Get(), None, window.NativeId(), 0, 0, 0, 0, 10, 10);
        Drain();
    }

    void Write(::Window w, Atom name, Atom type, std::span<const uint8_t> bytes) {
        XChangeProperty(display.Get(), w, name, type, 8, PropModeReplace, bytes.data(),
                        static_cast<int>(bytes.size()));
        Drain();
    }
    void WriteSettings(std::span<const uint8_t> bytes) {
        Write(manager, settings, settings, bytes);
    }
    /// Becomes the screen's settings manager with the settings `bytes`, and says so to every
    /// program as a manager does when it starts.
    void Manage(std::span<const uint8_t> bytes) {
        manager = XCreateSimpleWindow(display.Get(), root, -1, -1, 1, 1, 0, 0, 0);
        XSetSelectionOwner(display.Get(), selection, manager, CurrentTime);
        XEvent message{};
        message.xclient.type = ClientMessage;
        message.xclient.window = root;
        message.xclient.message_type = AtomNamed("MANAGER");
        message.xclient.format = 32;
        message.xclient.data.l[1] = static_cast<long>(selection);
        message.xclient.data.l[2] = static_cast<long>(manager);
        XSendEvent(display.Get(), root, False, StructureNotifyMask, &message);
        WriteSettings(bytes);
    }
    /// The scale in 120ths, the window's device size and the pointer's: "180: 120x90, 5x3".
    std::string Shown() {
        XWindowAttributes attributes{};
        XGetWindowAttributes(display.Get(), window.NativeId(), &attributes);
        const XMemory<XFixesCursorImage> image(XFixesGetCursorImage(display.Get()));
        return std::to_string(backend.Screen().Scale().Per120()) + ": " +
               std::to_string(attributes.width) + "x" + std::to_string(attributes.height) + ", " +
               std::to_string(image.Get()->width) + "x" + std::to_string(image.Get()->height);
    }

    RecordingWindow window{system, nullptr, Rect::FromSize(100, 50, 80, 60)};
    PointerImage pointer{
        .image = {.width = 3, .height = 2, .pixels = std::vector<uint32_t>(6, 0xFF000000)}};
    ::Window root = DefaultRootWindow(display.Get());
    Atom selection = AtomNamed("_XSETTINGS_S0");
    Atom settings = AtomNamed("_XSETTINGS_SETTINGS");
    ::Window manager = 0;
};

TEST_F(X11DesktopSettingsTest, FollowsTheManagersSettingsUntilItGoesAway) {
    EXPECT_EQ(Shown(), "120: 80x60, 3x2");
    Manage(XSettingsBytes(false, XSettingsList{{"Xft/DPI", 147456}}));
    EXPECT_EQ(Shown(), "180: 120x90, 5x3");
    WriteSettings(XSettingsBytes(true, XSettingsList{{"Gdk/WindowScalingFactor", 2}}));
    EXPECT_EQ(Shown(), "240: 160x120, 6x4");
    // Malformed, or larger than a settings property may be: the settings stay.
    WriteSettings(std::vector<uint8_t>{0, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 0, 0});
    std::vector<uint8_t> large = XSettingsBytes(false, XSettingsList{{"Xft/DPI", 98304}});
    large.resize(X11DesktopSettings::kMaxSettingsBytes + 1);
    WriteSettings(large);
    EXPECT_EQ(Shown(), "240: 160x120, 6x4");
    XDestroyWindow(display.Get(), manager);
    Drain();
    EXPECT_EQ(Shown(), "120: 80x60, 3x2");
}

TEST_F(X11DesktopSettingsTest, TheResourceDecidesWithoutTheManagersScale) {
    const std::string resources = "Xft.antialias:\t1\nXft.dpi:\t168\n";
    Write(root, XA_RESOURCE_MANAGER, XA_STRING,
          std::span(reinterpret_cast<const uint8_t*>(resources.data()), resources.size()));
    EXPECT_EQ(Shown(), "210: 140x105, 5x4");
    Manage(XSettingsBytes(false, XSettingsList{{"Net/ThemeName", std::string("Adwaita")}}));
    EXPECT_EQ(Shown(), "210: 140x105, 5x4");
    WriteSettings(XSettingsBytes(false, XSettingsList{{"Xft/DPI", 122880}}));
    EXPECT_EQ(Shown(), "150: 100x75, 4x3");
    XDeleteProperty(display.Get(), root, XA_RESOURCE_MANAGER);
    XDestroyWindow(display.Get(), manager);
    Drain();
    EXPECT_EQ(Shown(), "120: 80x60, 3x2");
}

}  // namespace
}  // namespace platform
