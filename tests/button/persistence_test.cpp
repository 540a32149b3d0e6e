#include <gtest/gtest.h>

#include "button/vb_button.h"
#include "forms/stored_bag.h"
#include "tests/button/button_host.h"

namespace button {
namespace {

constexpr Color kButtonFace = 0x00C8D0D4;

TEST(vbButtonNewInstance, StartsWithTheDocumentedDefaults) {
    ButtonHost host(false);
    host.site->InitNew();
    const vbButton& b = *host.button;
    EXPECT_EQ(b.ButtonType(), 2);
    EXPECT_EQ(b.ColorScheme(), 1);
    EXPECT_TRUE(b.Enabled());
    EXPECT_TRUE(b.ShowFocusRect());
    EXPECT_TRUE(b.UseMaskColor());
    EXPECT_EQ(b.MaskColor(), 0x00C0C0C0u);
    EXPECT_EQ(b.BackColor(), kButtonFace);  // a plain colour, not 0x8000000F
    EXPECT_EQ(b.BackOver(), kButtonFace);
    EXPECT_EQ(b.ForeColor(), 0u);
    EXPECT_EQ(b.ForeOver(), 0u);
    EXPECT_EQ(b.Caption(), "vbButton1");
    EXPECT_EQ(b.FontName(), "Arial");
    EXPECT_FALSE(b.HandPointer());
    EXPECT_FALSE(b.SoftBevel());
    EXPECT_EQ(b.PicturePosition(), 0);
    EXPECT_EQ(b.SpecialEffect(), 0);
    EXPECT_FALSE(b.CheckBoxBehaviour());
    EXPECT_FALSE(b.Value());
    EXPECT_EQ(b.Version(), "2.0.6");
    EXPECT_TRUE(host.site->Notifications().empty());
}

TEST(vbButtonLoad, EmptyBagGivesTheDefaults) {
    ButtonHost host;
    host.site->Load({});
    const vbButton& b = *host.button;
    EXPECT_EQ(b.ButtonType(), 2);
    EXPECT_EQ(b.Caption(), "");
    EXPECT_EQ(b.ColorScheme(), 1);
    EXPECT_TRUE(b.Enabled());
    EXPECT_TRUE(b.ShowFocusRect());
    EXPECT_TRUE(b.UseMaskColor());
    EXPECT_EQ(b.BackColor(), kButtonFace);
    EXPECT_EQ(b.BackOver(), kButtonFace);
    EXPECT_EQ(b.ForeColor(), 0u);
    EXPECT_EQ(b.MaskColor(), 0x00C0C0C0u);
    EXPECT_EQ(b.FontName(), "MS Sans Serif");  // the window's font, unchanged
    EXPECT_EQ(b.MousePointer(), 1);
    EXPECT_EQ(b.MouseIcon(), nullptr);
    EXPECT_FALSE(b.SoftBevel());
    EXPECT_EQ(b.PictureNormal(), nullptr);
    // Every load sends exactly one notification: the pointer's.
    EXPECT_EQ(host.site->Notifications(), std::vector<std::string>{"HAND"});
}

TEST(vbButtonLoad, AbsentHoverColoursFollowTheColoursJustRead) {
    ButtonHost host;
    forms::PropertyBag bag;
    bag.Write("BCOL", int32_t{0x0000FF});
    bag.Write("FCOL", int32_t{0x00FF00});
    host.site->Load(bag);
    EXPECT_EQ(host.button->BackOver(), 0x0000FFu);
    EXPECT_EQ(host.button->ForeOver(), 0x00FF00u);
}

TEST(vbButtonLoad, HandPointerDecidesThePointerWhateverWasStored) {
    {
        ButtonHost host;
        forms::PropertyBag bag;
        bag.Write("MPTR", int16_t{11});
        bag.Write("MICON", ButtonHost::Icon16());
        bag.Write("HAND", false);
        host.site->Load(bag);
        EXPECT_EQ(host.button->MousePointer(), 1);
        EXPECT_EQ(host.button->MouseIcon(), nullptr);
    }
    {
        ButtonHost host;
        forms::PropertyBag bag;
        bag.Write("MPTR", int16_t{11});
        bag.Write("MICON", ButtonHost::Icon16());
        bag.Write("HAND", true);
        host.site->Load(bag);
        EXPECT_EQ(host.button->MousePointer(), 99);
        ASSERT_NE(host.button->MouseIcon(), nullptr);
        EXPECT_EQ(host.button->MouseIcon(), host.resources.Cursor(vbButton::kHandCursorId));
        EXPECT_EQ(host.button->MouseIcon()->HotSpot(), (platform::Point{5, 0}));
    }
}

TEST(vbButtonLoad, AValueThatDoesNotConvertStopsTheLoadAtItsKey) {
    ButtonHost host;
    forms::PropertyBag bag;
    bag.Write("BTYPE", int32_t{7});
    bag.Write("TX", int32_t{5});  // not a string
    bag.Write("FOCUSR", false);
    EXPECT_THROW(host.site->Load(bag), forms::PropertyTypeError);
    EXPECT_EQ(host.button->ButtonType(), 7);
    EXPECT_FALSE(host.button->Enabled());  // "ENAB", after "TX", was never read
    EXPECT_TRUE(host.site->Notifications().empty());
}

TEST(vbButtonSave, WritesEveryKeyInOrderAndNoEmptyPicture) {
    ButtonHost host(false);
    host.site->InitNew();
    const forms::PropertyBag bag = host.site->Save();
    std::vector<std::string> keys;
    for (const auto& entry : bag.Entries())
        keys.push_back(entry.key);
    const std::vector<std::string> expected = {
        "_extentx", "_extenty", "BTYPE", "TX",    "ENAB",  "FONT", "COLTYPE", "FOCUSR",
        "BCOL",     "BCOLO",    "FCOL",  "FCOLO", "MCOL",  "MPTR", "UMCOL",   "SOFT",
        "PICPOS",   "NGREY",    "FX",    "HAND",  "CHECK", "VALUE"};
    EXPECT_EQ(keys, expected);
}

TEST(vbButtonSave, PictureOverIsStoredUnderPichAndComesBack) {
    ButtonHost host(false);
    host.site->InitNew();
    host.button->SetPictureOver(ButtonHost::Icon16());
    const forms::PropertyBag bag = host.site->Save();
    EXPECT_NE(bag.Find("PICH"), nullptr);
    EXPECT_EQ(bag.Find("PICO"), nullptr);

    ButtonHost again;
    again.site->Load(bag);
    ASSERT_NE(again.button->PictureOver(), nullptr);
    EXPECT_EQ(again.button->PictureOver()->Width(), 16);
}

TEST(vbButtonSave, SaveThenLoadThroughTheStoredLayoutKeepsEveryProperty) {
    ButtonHost host(false);
    host.site->InitNew();
    vbButton& b = *host.button;
    b.SetButtonType(14);
    b.SetCaption("Cl&ear");
    b.SetColorScheme(2);
    b.SetBackColor(0x000000FF);
    b.SetBackOver(0x0000FF00);
    b.SetForeColor(0x80000012);
    b.SetForeOver(0x00FFFFFF);
    b.SetMaskColor(0x00FF00FF);
    b.SetShowFocusRect(false);
    b.SetSoftBevel(true);
    b.SetPictureNormal(ButtonHost::Icon16());
    b.SetPicturePosition(3);
    b.SetUseMaskColor(false);
    b.SetUseGreyscale(true);
    b.SetSpecialEffect(2);
    b.SetHandPointer(true);
    b.SetCheckBoxBehaviour(true);
    b.SetValue(true);
    b.SetFontName("Arial Black");
    b.SetFontSize(9);
    b.SetFontBold(true);
    b.SetEnabled(false);

    const std::vector<uint8_t> stored = forms::WriteStoredBag(host.site->Save());
    const forms::StoredBagReadResult read = forms::ReadStoredBag(stored);
    ASSERT_FALSE(read.error);
    ButtonHost again;
    again.site->Load(read.bag);
    const vbButton& c = *again.button;
    EXPECT_EQ(c.ButtonType(), 14);
    EXPECT_EQ(c.Caption(), "Cl&ear");
    EXPECT_EQ(c.ColorScheme(), 2);
    EXPECT_EQ(c.BackColor(), 0x000000FFu);
    EXPECT_EQ(c.BackOver(), 0x0000FF00u);
    EXPECT_EQ(c.ForeColor(), 0x80000012u);
    EXPECT_EQ(c.ForeOver(), 0x00FFFFFFu);
    EXPECT_EQ(c.MaskColor(), 0x00FF00FFu);
    EXPECT_FALSE(c.ShowFocusRect());
    EXPECT_TRUE(c.SoftBevel());
    ASSERT_NE(c.PictureNormal(), nullptr);
    EXPECT_EQ(c.PictureNormal()->FileBytes(), b.PictureNormal()->FileBytes());
    EXPECT_EQ(c.PicturePosition(), 3);
    EXPECT_FALSE(c.UseMaskColor());
    EXPECT_TRUE(c.UseGreyscale());
    EXPECT_EQ(c.SpecialEffect(), 2);
    EXPECT_TRUE(c.HandPointer());
    EXPECT_TRUE(c.CheckBoxBehaviour());
    EXPECT_TRUE(c.Value());
    EXPECT_EQ(c.Font(), b.Font());
    EXPECT_FALSE(c.Enabled());
    EXPECT_FALSE(again.site->SiteWindow().IsEnabled());
}

}  // namespace
}  // namespace button
