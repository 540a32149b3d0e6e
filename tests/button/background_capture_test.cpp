// The Transparent look's capture of the parent's picture: what it copies, that the control's
// resize handling stays out of it, the height it restores, and when BackgroundSurface is made.

#include <gtest/gtest.h>

#include <cstdint>

#include "button/vb_button.h"
#include "platform/gfx/region.h"
#include "tests/button/button_host.h"

namespace button {
namespace {

// A colour of its own for every parent pixel, so a copy from a shifted or transposed place
// cannot match.
Color Pattern(int32_t x, int32_t y, int32_t seed) {
    return static_cast<Color>((x * 7 + seed) & 0xFF) |
           static_cast<Color>((y * 11 + seed) & 0xFF) << 8 | 0x400000u;
}

// A button placed at (left, top) of a form whose picture is Pattern(seed).
struct CaptureHost : ButtonHost {
    CaptureHost(int32_t type, int32_t left, int32_t top, int32_t w, int32_t h, int32_t seed = 0)
        : ButtonHost(true, platform::Rect::FromSize(left, top, w, h)) {
        PaintParent(seed);
        site->InitNew();
        button->SetCaption("");
        button->SetButtonType(type);
    }

    void PaintParent(int32_t seed) {
        platform::Surface& s = form.DrawingSurface();
        for (int32_t y = 0; y < s.Height(); ++y) {
            for (int32_t x = 0; x < s.Width(); ++x)
                s.SetPixel(x, y, Pattern(x, y, seed));
        }
    }
    void Show() {
        site->Show();
        backend.ProcessUntilIdle();
    }
    const platform::Surface& Pixels() { return site->DrawingSurface(); }

    // How many pixels of the button differ from the parent's picture under them.
    int32_t PixelsUnlikeTheParent(int32_t seed) {
        const platform::Rect place = site->SiteWindow().Bounds();
        const platform::Surface& s = Pixels();
        int32_t unlike = 0;
        for (int32_t y = 0; y < s.Height(); ++y) {
            for (int32_t x = 0; x < s.Width(); ++x) {
                unlike += s.Pixel(x, y) != Pattern(place.left + x, place.top + y, seed) ? 1 : 0;
            }
        }
        return unlike;
    }
};

TEST(BackgroundCapture, ShowsTheParentUnderTheButtonExactly) {
    CaptureHost b(11, 13, 7, 45, 22);
    b.Show();
    EXPECT_EQ(b.PixelsUnlikeTheParent(0), 0);
    EXPECT_EQ(b.Pixels().Width(), 45);
    EXPECT_EQ(b.Pixels().Height(), 22);
}

TEST(BackgroundCapture, IsTheFaceInEveryStateEvenDisabled) {
    CaptureHost b(11, 13, 7, 45, 22);
    b.button->SetShowFocusRect(false);  // the press gives the focus: no frame on the face
    b.Show();
    b.system.PointerMoveTo(b.site->SiteWindow().ClientToScreen({20, 10}));
    b.backend.ProcessUntilIdle();
    ASSERT_TRUE(b.button->IsLit());
    EXPECT_EQ(b.PixelsUnlikeTheParent(0), 0);
    b.system.ButtonDown(1);
    b.backend.ProcessUntilIdle();
    ASSERT_EQ(b.button->LastDrawnState(), DrawnState::Down);
    EXPECT_EQ(b.PixelsUnlikeTheParent(0), 0);
    b.system.ButtonUp(1);
    b.button->SetEnabled(false);
    EXPECT_EQ(b.PixelsUnlikeTheParent(0), 0);
    // With a caption, only the caption's pixels differ.
    b.button->SetCaption("OK");
    const int32_t unlike = b.PixelsUnlikeTheParent(0);
    EXPECT_GT(unlike, 0);
    EXPECT_LT(unlike, 45 * 22 / 4);
}

// A task posted before the capture runs while the capture dispatches the pending messages:
// the button is then 0 pixels high and its resize handling has not run.
TEST(BackgroundCapture, CollapsesTheHeightWithoutResizeHandling) {
    CaptureHost b(11, 13, 7, 45, 22);
    b.Show();
    platform::Window& window = b.site->SiteWindow();
    const platform::Region marker = platform::Region::FromRect({0, 0, 3, 3});
    window.SetShape(marker);
    const int32_t heightBefore = b.site->Height();
    const int64_t redrawsBefore = b.button->RedrawCount();
    const Rect contentBefore = b.button->ContentRect();

    int32_t heightDuring = -1;
    int64_t redrawsDuring = -1;
    bool shapeKeptDuring = false;
    b.system.Post([&] {
        heightDuring = window.ClientHeight();
        redrawsDuring = b.button->RedrawCount();
        shapeKeptDuring = window.Shape() == marker;
    });
    b.PaintParent(5);
    b.button->Refresh();

    EXPECT_EQ(heightDuring, 0);
    EXPECT_EQ(redrawsDuring, redrawsBefore);
    EXPECT_TRUE(shapeKeptDuring);
    // Refresh's own redraw is the only one; the shape was never rebuilt.
    EXPECT_EQ(b.button->RedrawCount(), redrawsBefore + 1);
    EXPECT_EQ(window.Shape(), marker);
    EXPECT_EQ(b.site->Height(), heightBefore);
    EXPECT_EQ(window.ClientHeight(), 22);
    EXPECT_EQ(window.ClientWidth(), 45);
    EXPECT_EQ(window.Bounds().top, 7);
    EXPECT_EQ(window.Bounds().left, 13);
    EXPECT_EQ(b.button->ContentRect(), contentBefore);
    EXPECT_EQ(b.PixelsUnlikeTheParent(5), 0);
}

TEST(BackgroundCapture, ResizeHandlingResumesAfterwards) {
    CaptureHost b(11, 13, 7, 45, 22);
    b.Show();
    b.button->Refresh();
    const int64_t redraws = b.button->RedrawCount();
    b.site->SiteWindow().SetBounds(platform::Rect::FromSize(13, 7, 45, 30));
    EXPECT_EQ(b.button->RedrawCount(), redraws + 1);
    EXPECT_EQ(b.button->ContentRect(), (Rect{3, 3, 42, 27}));
}

TEST(BackgroundCapture, ShownAgainCapturesAgain) {
    CaptureHost b(11, 13, 7, 45, 22);
    b.Show();
    b.site->Hide();
    b.PaintParent(9);
    ASSERT_NE(b.PixelsUnlikeTheParent(9), 0);
    b.Show();
    EXPECT_EQ(b.PixelsUnlikeTheParent(9), 0);
}

// Later changes of the parent are not followed until the next capture.
TEST(BackgroundCapture, KeepsThePictureUntilTheNextCapture) {
    CaptureHost b(11, 13, 7, 45, 22);
    b.Show();
    b.PaintParent(3);
    b.button->SetCaption("");
    b.button->SetBackColor(0x010203);
    EXPECT_EQ(b.PixelsUnlikeTheParent(0), 0);
    b.button->Refresh();
    EXPECT_EQ(b.PixelsUnlikeTheParent(3), 0);
}

TEST(BackgroundCapture, MadeWhenTheTypeBecomesElevenAfterShow) {
    CaptureHost b(1, 13, 7, 45, 22);
    b.Show();
    ASSERT_NE(b.PixelsUnlikeTheParent(0), 0);
    b.button->SetButtonType(11);
    EXPECT_EQ(b.PixelsUnlikeTheParent(0), 0);
}

TEST(BackgroundCapture, MadeAgainWhenTheClientAreaGrows) {
    CaptureHost b(11, 13, 7, 40, 20);
    b.Show();
    b.site->SiteWindow().SetBounds(platform::Rect::FromSize(13, 7, 60, 30));
    // Until the next capture the old picture covers only its own 40 x 20 pixels.
    EXPECT_EQ(b.Pixels().Pixel(59, 29), b.button->CurrentPalette().Face);
    EXPECT_EQ(b.Pixels().Pixel(39, 19), Pattern(13 + 39, 7 + 19, 0));
    b.button->Refresh();
    EXPECT_EQ(b.PixelsUnlikeTheParent(0), 0);

    // Growing in one direction only makes it again too.
    b.site->SiteWindow().SetBounds(platform::Rect::FromSize(13, 7, 60, 36));
    b.button->Refresh();
    EXPECT_EQ(b.PixelsUnlikeTheParent(0), 0);
    b.site->SiteWindow().SetBounds(platform::Rect::FromSize(13, 7, 66, 36));
    b.button->Refresh();
    EXPECT_EQ(b.PixelsUnlikeTheParent(0), 0);

    // Shrinking keeps the larger picture; its top-left part is the face.
    b.site->SiteWindow().SetBounds(platform::Rect::FromSize(13, 7, 30, 15));
    EXPECT_EQ(b.PixelsUnlikeTheParent(0), 0);
}

}  // namespace
}  // namespace button
