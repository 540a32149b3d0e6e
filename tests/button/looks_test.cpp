#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "button/looks.h"
#include "platform/gfx/region.h"
#include "tests/button/button_host.h"

namespace button {
namespace {

constexpr int32_t kW = 75;
constexpr int32_t kH = 25;

struct ShapeCase {
    std::vector<int32_t> buttonTypes;
    std::vector<platform::Point> missing;
};

TEST(BuildWindowShape, CutsTheCornerPixelsOfEachLook) {
    const int32_t r = kW - 1;
    const int32_t b = kH - 1;
    const ShapeCase cases[] = {
        {{1, 14}, {{0, 0}, {r, 0}, {0, b}, {r, b}}},
        {{5}, {{r, 0}, {0, b}}},
        {{3, 4},
         {{0, 0},
          {1, 0},
          {0, 1},
          {r - 1, 0},
          {r, 0},
          {r, 1},
          {0, b},
          {1, b},
          {0, b - 1},
          {r - 1, b},
          {r, b},
          {r, b - 1}}},
        {{2, 6, 7, 8, 9, 10, 11, 12, 99, 0, -1}, {}},
    };
    // Every look of the table has its case here, but the oval, whose shape the next test reads.
    for (const Look& look : Looks()) {
        const int32_t type = static_cast<int32_t>(look.type);
        const bool listed = std::ranges::any_of(cases, [type](const ShapeCase& c) {
            return std::ranges::find(c.buttonTypes, type) != c.buttonTypes.end();
        });
        EXPECT_TRUE(listed || type == 13) << look.name << " has no case";
    }
    for (const ShapeCase& c : cases) {
        for (const int32_t type : c.buttonTypes) {
            SCOPED_TRACE(type);
            const platform::Region shape = BuildWindowShape(LookOf(type).shape, kW, kH);
            EXPECT_EQ(shape.Area(), int64_t{kW} * kH - static_cast<int64_t>(c.missing.size()));
            EXPECT_EQ(shape.Bounds(), (platform::Rect{0, 0, kW, kH}));
            for (int32_t y = 0; y < kH; ++y) {
                for (int32_t x = 0; x < kW; ++x) {
                    const bool cut = std::find(c.missing.begin(), c.missing.end(),
                                               platform::Point{x, y}) != c.missing.end();
                    EXPECT_EQ(shape.Contains({x, y}), !cut) << x << ", " << y;
                }
            }
        }
    }
}

TEST(BuildWindowShape, OvalIsTheInscribedEllipticRegion) {
    for (const auto& [w, h] : {std::pair{kW, kH}, std::pair{30, 30}, std::pair{9, 40}}) {
        SCOPED_TRACE(w);
        const platform::Region shape = BuildWindowShape(LookOf(13).shape, w, h);
        EXPECT_EQ(shape, platform::Region::Ellipse({0, 0, w, h}));
        EXPECT_FALSE(shape.Contains({0, 0}));
        EXPECT_TRUE(shape.Contains({w / 2, h / 2}));
    }
}

TEST(BuildWindowShape, ZeroSizeIsEmptyForEveryLook) {
    std::vector<int32_t> types = {0};  // a number that names no look
    for (const Look& look : Looks())
        types.push_back(static_cast<int32_t>(look.type));
    for (const int32_t type : types) {
        SCOPED_TRACE(type);
        EXPECT_TRUE(BuildWindowShape(LookOf(type).shape, 0, 0).IsEmpty());
        EXPECT_TRUE(BuildWindowShape(LookOf(type).shape, 0, kH).IsEmpty());
        EXPECT_TRUE(BuildWindowShape(LookOf(type).shape, kW, 0).IsEmpty());
    }
}

// A button loaded and shown on its form, as at program start.
struct ShownButton : ButtonHost {
    ShownButton() {
        site->Load({});
        site->Show();
    }
    platform::Window& Window() { return site->SiteWindow(); }
};

TEST(vbButtonWindowShape, ResizeInstallsTheShapeOfTheLook) {
    ShownButton host;
    host.button->SetButtonType(14);
    host.Window().SetBounds({10, 10, 50, 30});
    ASSERT_TRUE(host.Window().Shape().has_value());
    EXPECT_EQ(*host.Window().Shape(), BuildWindowShape(WindowShape::FourCorners, 40, 20));
    EXPECT_FALSE(host.Window().Shape()->Contains({39, 19}));

    host.button->SetButtonType(13);
    host.Window().SetBounds({10, 10, 70, 40});
    EXPECT_EQ(*host.Window().Shape(), platform::Region::Ellipse({0, 0, 60, 30}));
}

TEST(vbButtonWindowShape, LeavingTheOvalRestoresTheFullRectangleAtOnce) {
    ShownButton host;
    host.button->SetButtonType(13);
    ASSERT_TRUE(host.Window().Shape().has_value());
    EXPECT_FALSE(host.Window().Shape()->Contains({0, 0}));

    host.button->SetButtonType(2);
    const int32_t w = host.Window().ClientWidth();
    const int32_t h = host.Window().ClientHeight();
    ASSERT_TRUE(host.Window().Shape().has_value());
    EXPECT_EQ(*host.Window().Shape(), platform::Region::FromRect({0, 0, w, h}));
}

}  // namespace
}  // namespace button
