#include <gtest/gtest.h>

#include "tests/platform/ui/ui_fixture.h"

namespace platform {
namespace {

using testing::UiFixture;

TEST(HitTest, FindsTopmostChildHonouringShapesVisibilityAndOrder) {
    UiFixture f;
    auto below = f.Child(Rect::FromSize(10, 10, 50, 40), "below");
    auto above = f.Child(Rect::FromSize(30, 20, 40, 40), "above");
    auto hidden = f.Child(Rect::FromSize(0, 0, 200, 5), "hidden");
    hidden->Hide();
    auto nested = f.Child(*above, Rect::FromSize(5, 5, 10, 10), "nested");
    // "above" keeps only its left half (columns 0..19) as its shape.
    above->SetShape(Region::FromRect({0, 0, 20, 40}));

    struct Case {
        Point client;
        Window* expected;
    };
    const Case cases[] = {
        {{0, 0}, &f.top},          // inside no child; the hidden child does not count
        {{15, 15}, below.get()},   // below alone
        {{32, 22}, above.get()},   // overlap: the later sibling is on top
        {{36, 26}, nested.get()},  // a grandchild of the shaped window, inside the shape
        {{55, 30}, below.get()},   // in above's rectangle, outside its shape: falls through
        {{65, 30}, &f.top},        // outside the shape and outside below: the parent
        {{59, 49}, below.get()},   // below's last pixel (right/bottom exclusive)
        {{60, 49}, &f.top},       {{199, 99}, &f.top},
        {{200, 99}, nullptr},  // off the top-level window
    };
    for (const Case& c : cases) {
        EXPECT_EQ(f.system.WindowAtPoint({100 + c.client.x, 50 + c.client.y}), c.expected)
            << c.client.x << "," << c.client.y;
    }

    below->Raise();
    EXPECT_EQ(f.system.WindowAtPoint({135, 75}), below.get());
    above->SetShape(std::nullopt);
    EXPECT_EQ(f.system.WindowAtPoint({155, 80}), below.get());
    EXPECT_EQ(f.system.WindowAtPoint({165, 80}), above.get());
}

TEST(HitTest, DisabledWindowOccupiesItsPlaceButReceivesNoInput) {
    UiFixture f;
    auto child = f.Child(Rect::FromSize(10, 10, 20, 20), "child");
    child->SetEnabled(false);
    EXPECT_EQ(f.system.WindowAtPoint({115, 65}), child.get());
    f.MoveTo(15, 15);
    f.system.ButtonDown(kButtonLeft);
    f.system.ButtonUp(kButtonLeft);
    EXPECT_TRUE(f.log.empty()) << f.log.front();
}

TEST(HitTest, ShapeOfTopLevelWindowLimitsHits) {
    UiFixture f;
    f.top.SetShape(Region::Ellipse({0, 0, 200, 100}));
    EXPECT_EQ(f.system.WindowAtPoint({100, 50}), nullptr);
    EXPECT_EQ(f.system.WindowAtPoint({200, 100}), &f.top);
}

}  // namespace
}  // namespace platform
