// The system-colour tables: which one an appearance asks for, and that each keeps its text
// readable on what it is written on (WCAG 2.x contrast), high contrast at 7:1 with outlines at
// 3:1.
#include "platform/objects/system_colors.h"

#include <gtest/gtest.h>

#include "platform/gfx/contrast.h"

namespace platform {
namespace {

TEST(SystemColors, TheTableOfAnAppearance) {
    using enum ColorPreference;
    struct Case {
        Appearance appearance;
        SystemColorTable table;
    };
    const Case cases[] = {
        {{}, SystemColorTable::Classic},
        {{.colors = Light}, SystemColorTable::Classic},
        {{.colors = Dark}, SystemColorTable::Dark},
        {{.reducedMotion = true}, SystemColorTable::Classic},
        {{.highContrast = true}, SystemColorTable::HighContrastDark},
        {{.colors = Dark, .highContrast = true}, SystemColorTable::HighContrastDark},
        {{.colors = Light, .highContrast = true}, SystemColorTable::HighContrastLight},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TableFor(c.appearance), c.table);
        EXPECT_EQ(ForcesColors(c.table), c.appearance.highContrast);
    }
}

TEST(SystemColors, EveryTableKeepsItsTextReadable) {
    // Text, and what it is written on: window, button, selection, caption, tooltip.
    constexpr std::pair<int32_t, int32_t> kText[] = {{8, 5}, {18, 15}, {14, 13}, {9, 2}, {23, 24}};
    // Disabled text and the 3-D edges, which high contrast makes strong.
    constexpr std::pair<int32_t, int32_t> kHighContrastOnly[] = {{17, 5}, {17, 15}};
    constexpr int32_t kEdges[] = {16, 20, 21, 22};
    for (const SystemColorTable table :
         {SystemColorTable::Classic, SystemColorTable::Dark, SystemColorTable::HighContrastDark,
          SystemColorTable::HighContrastLight}) {
        SCOPED_TRACE(static_cast<int>(table));
        const double least = ForcesColors(table) ? 7 : 4.5;
        const auto ratio = [table](int32_t a, int32_t b) {
            return ContrastRatio(*SystemColorIn(table, a), *SystemColorIn(table, b));
        };
        for (const auto& [text, ground] : kText)
            EXPECT_GE(ratio(text, ground), least) << text << " on " << ground;
        if (!ForcesColors(table)) continue;
        for (const auto& [text, ground] : kHighContrastOnly)
            EXPECT_GE(ratio(text, ground), least) << text << " on " << ground;
        for (const int32_t edge : kEdges)
            EXPECT_GE(ratio(edge, 15), 3) << edge;
    }
}

}  // namespace
}  // namespace platform
