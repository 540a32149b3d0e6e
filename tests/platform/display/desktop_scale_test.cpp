#include "platform/display/desktop_scale.h"

#include <gtest/gtest.h>

namespace platform {
namespace {

TEST(DesktopScale, GdkScaleForcesAWholeScaleElseXftDpiOver96Unrounded) {
    struct Case {
        const char* gdkScale;
        const char* resources;
        int32_t per120;
    };
    const Case cases[] = {
        {"", "", 120},
        {"", "Xft.dpi:\t96\n", 120},
        // The densities desktops offer: 125, 150, 175 and 200 per cent.
        {"", "Xft.dpi:\t120\n", 150},
        {"", "Xft.dpi:\t144\n", 180},
        {"", "Xft.dpi:\t168\n", 210},
        {"", "Xft.antialias:\t1\nXft.dpi:\t192\nXft.hinting:\t1\n", 240},
        {"", "Xft.dpi: 288.0\n", 360},
        {"", "Xft.dpi:\t100\n", 125},  // to the nearest 120th
        {"", "Xft.dpi:\t480\n", 480},  // at most 4
        {"", "Xft.dpi:\t72\n", 120},   // at least 1
        {"", "Xft.dpi:\tlarge\n", 120},
        {"", "Xft.dpi:\tnan\n", 120},
        {"", "Xft.dpiX:\t192\n*dpi:\t192\n", 120},
        {"3", "Xft.dpi:\t192\n", 360},
        {"1", "Xft.dpi:\t192\n", 120},
        // Not a whole number from 1 to 4: the resources decide.
        {"0", "Xft.dpi:\t192\n", 240},
        {"5", "Xft.dpi:\t192\n", 240},
        {"1.5", "Xft.dpi:\t144\n", 180},
        {"two", "", 120},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DesktopScale(c.gdkScale, {}, c.resources).Per120(), c.per120)
            << "'" << c.gdkScale << "' '" << c.resources << "'";
    }
}

TEST(DesktopScale, TheSettingsManagersXftDpiElseItsFactorComeAfterGdkScaleAndBeforeXftDpi) {
    struct Case {
        const char* gdkScale;
        XSettings settings;
        int32_t per120;
    };
    const Case cases[] = {
        {"", {{"Xft/DPI", 147456}}, 180},
        {"", {{"Xft/DPI", 196608}}, 240},
        {"", {{"Xft/DPI", 122880}}, 150},
        {"", {{"Xft/DPI", 100000}}, 122},  // to the nearest 120th
        {"", {{"Xft/DPI", 98304 * 5}}, 480},
        {"", {{"Gdk/WindowScalingFactor", 2}}, 240},
        {"", {{"Gdk/WindowScalingFactor", 9}}, 480},
        {"", {{"Gdk/WindowScalingFactor", 2}, {"Xft/DPI", 196608}}, 240},
        {"", {{"Gdk/WindowScalingFactor", 2}, {"Xft/DPI", 147456}}, 180},
        {"", {{"Gdk/WindowScalingFactor", 3}, {"Xft/DPI", -1}}, 360},
        // Neither given as a positive integer: the resource decides.
        {"", {{"Xft/DPI", -1}, {"Gdk/WindowScalingFactor", 0}}, 210},
        {"", {{"Xft/DPI", std::string("147456")}}, 210},
        {"", {{"Net/ThemeName", std::string("Adwaita")}}, 210},
        {"", {}, 210},
        {"3", {{"Xft/DPI", 147456}}, 360},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DesktopScale(c.gdkScale, c.settings, "Xft.dpi:\t168\n").Per120(), c.per120)
            << testing::PrintToString(c.settings);
}

}  // namespace
}  // namespace platform
