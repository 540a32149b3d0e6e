#include "forms/site_pointer.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <span>
#include <vector>

#include "platform/display/headless/headless_backend.h"
#include "platform/image/image.h"
#include "platform/objects/picture.h"
#include "platform/ui/window_system.h"

namespace forms {
namespace {

TEST(SitePointer, MakesAnIconsPointerImageOnceForEveryWindowThatShowsIt) {
    platform::HeadlessBackend backend;
    platform::WindowSystem system{backend};
    platform::Window form{system, nullptr, platform::Rect::FromSize(0, 0, 100, 100)};
    platform::Window a{system, &form, platform::Rect::FromSize(0, 0, 10, 10)};
    platform::Window b{system, &form, platform::Rect::FromSize(10, 0, 10, 10)};
    const ResourceTable resources;
    SitePointer onA(a, resources);
    SitePointer onB(b, resources);
    const platform::IconImage image{platform::Image{1, 1, {0xFF0000FF}}, 0, 0, 32};
    const std::vector<uint8_t> file =
        platform::EncodeIconFile(std::span<const platform::IconImage>(&image, 1), true).Value();
    const PicturePtr icon = platform::LoadPicture(file).Value();

    for (SitePointer* pointer : {&onA, &onB}) {
        pointer->SetMousePointer(kPointerCustom);
        pointer->SetMouseIcon(icon);
    }
    ASSERT_NE(a.PointerPicture(), nullptr);
    EXPECT_EQ(a.PointerPicture(), b.PointerPicture());

    // Another picture, even of the same pixels, has an image of its own.
    const std::vector<uint8_t> other =
        platform::EncodeIconFile(std::span<const platform::IconImage>(&image, 1), false).Value();
    onB.SetMouseIcon(platform::LoadPicture(other).Value());
    EXPECT_NE(b.PointerPicture(), a.PointerPicture());
}

}  // namespace
}  // namespace forms
