#include "platform/display/desktop_appearance.h"

#include <gtest/gtest.h>

namespace platform {
namespace {

TEST(DesktopAppearance, ComesFromTheThemeNameAndTheAnimationsSetting) {
    using enum ColorPreference;
    struct Case {
        XSettings settings;
        std::optional<Appearance> appearance;
    };
    const Case cases[] = {
        {{}, std::nullopt},
        {{{"Xft/DPI", 98304}}, std::nullopt},
        {{{"Net/ThemeName", std::string("Adwaita")}}, Appearance{}},
        {{{"Net/ThemeName", std::string("Adwaita-dark")}}, Appearance{.colors = Dark}},
        {{{"Net/ThemeName", std::string("Yaru-DARK")}}, Appearance{.colors = Dark}},
        {{{"Net/ThemeName", std::string("darkness")}}, Appearance{}},
        {{{"Net/ThemeName", std::string("HighContrast")}},
         Appearance{.colors = Light, .highContrast = true}},
        {{{"Net/ThemeName", std::string("HighContrastInverse")}},
         Appearance{.colors = Dark, .highContrast = true}},
        {{{"Net/ThemeName", std::string("highcontrast")}}, Appearance{}},
        {{{"Net/ThemeName", 7}}, Appearance{}},  // a theme name that is no string
        {{{"Gtk/EnableAnimations", 0}}, Appearance{.reducedMotion = true}},
        {{{"Gtk/EnableAnimations", 1}}, Appearance{}},
        {{{"Gtk/EnableAnimations", std::string("0")}}, Appearance{}},
        {{{"Net/ThemeName", std::string("HighContrast")}, {"Gtk/EnableAnimations", 0}},
         Appearance{.colors = Light, .highContrast = true, .reducedMotion = true}},
    };
    for (const Case& c : cases) {
        EXPECT_TRUE(DesktopAppearance(c.settings) == c.appearance);
    }
}

}  // namespace
}  // namespace platform
