// The desktop's appearance in the window system: who speaks for the desktop, the system-colour
// table it puts in force, and every window told and painted anew.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/objects/system_colors.h"
#include "tests/platform/ui/ui_fixture.h"

namespace platform {
namespace {

constexpr Appearance kDark{.colors = ColorPreference::Dark};
constexpr Appearance kHighContrastLight{.colors = ColorPreference::Light, .highContrast = true};
constexpr Appearance kReduced{.reducedMotion = true};

TEST(DesktopAppearance, ThePortalSpeaksForTheDesktopWhileItAnswersElseTheDisplaysSettings) {
    struct Step {
        AppearanceSource source;
        std::optional<Appearance> told;
        Appearance held;
        SystemColorTable table;
    };
    using enum AppearanceSource;
    const Step steps[] = {
        {DisplaySettings, kDark, kDark, SystemColorTable::Dark},
        {Portal, kHighContrastLight, kHighContrastLight, SystemColorTable::HighContrastLight},
        {DisplaySettings, kReduced, kHighContrastLight, SystemColorTable::HighContrastLight},
        {Portal, std::nullopt, kReduced, SystemColorTable::Classic},
        {Portal, Appearance{}, Appearance{}, SystemColorTable::Classic},
        {Portal, std::nullopt, kReduced, SystemColorTable::Classic},
        {DisplaySettings, std::nullopt, Appearance{}, SystemColorTable::Classic},
    };
    testing::UiFixture ui;
    for (const Step& step : steps) {
        ui.system.SetDesktopAppearance(step.source, step.told);
        EXPECT_TRUE(ui.system.DesktopAppearance() == step.held);
        EXPECT_EQ(SystemColorsInForce(), step.table);
    }
}

/// A window that paints itself in the window colour of the table in force.
class SystemColoured : public Window {
  public:
    using Window::Window;
    void Paint(Surface& surface) override {
        for (int32_t y = 0; y < surface.Height(); ++y)
            std::fill(surface.Row(y), surface.Row(y) + surface.DeviceWidth(),
                      SystemColor(SystemColorIndex::Window));
    }
    void OnAppearanceChanged() override { ++changes; }
    int changes = 0;
};

TEST(DesktopAppearance, AChangeReachesEveryWindowAndRepaintsIt) {
    HeadlessBackend backend{{640, 480}};
    WindowSystem system(backend);
    SystemColoured top{system, nullptr, Rect::FromSize(10, 20, 16, 12)};
    SystemColoured child{system, &top, Rect::FromSize(4, 3, 6, 5)};
    top.Show();
    child.Show();
    system.UpdateAll();
    const auto screenAt = [&](int32_t x, int32_t y) {
        return std::optional<Color>(backend.Native(top.NativeId())->screen.Pixel(x, y));
    };
    EXPECT_EQ(screenAt(0, 0), SystemColorIn(SystemColorTable::Classic, 5));

    system.SetDesktopAppearance(AppearanceSource::Portal, kDark);
    system.UpdateAll();
    EXPECT_EQ(top.changes, 1);
    EXPECT_EQ(child.changes, 1);
    EXPECT_EQ(screenAt(0, 0), SystemColorIn(SystemColorTable::Dark, 5));
    EXPECT_EQ(screenAt(5, 4), SystemColorIn(SystemColorTable::Dark, 5));

    // The same appearance told again, or told by the settings the portal overrides, is no
    // change.
    system.SetDesktopAppearance(AppearanceSource::Portal, kDark);
    system.SetDesktopAppearance(AppearanceSource::DisplaySettings, kHighContrastLight);
    EXPECT_EQ(top.changes, 1);
    EXPECT_EQ(child.changes, 1);
}

TEST(DesktopAppearance, TheTableIsTheWindowSystemsWhileItLives) {
    {
        HeadlessBackend backend{{640, 480}};
        WindowSystem system(backend);
        system.SetDesktopAppearance(AppearanceSource::Portal, kHighContrastLight);
        EXPECT_EQ(SystemColorsInForce(), SystemColorTable::HighContrastLight);
    }
    EXPECT_EQ(SystemColorsInForce(), SystemColorTable::Classic);
}

}  // namespace
}  // namespace platform
