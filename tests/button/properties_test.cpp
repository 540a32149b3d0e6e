#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <string>
#include <utility>

#include "button/vb_button.h"
#include "platform/objects/font_stream.h"
#include "tests/button/button_host.h"

namespace button {
namespace {

// A host whose button was loaded, resized and shown, as at program start.
struct ShownButton : ButtonHost {
    explicit ShownButton(bool userMode = true) : ButtonHost(userMode) {
        site->Load({});
        site->Show();
        site->ClearNotifications();
    }
    int64_t Redraws() const { return button->RedrawCount(); }
};

struct SetterCase {
    const char* name;
    std::function<void(vbButton&)> set;
    std::vector<std::string> notifications;
    int64_t redraws;
};

TEST(vbButtonSetters, EachNotifiesItsKeyAndRedrawsOnce) {
    const SetterCase cases[] = {
        {"BackColor", [](vbButton& b) { b.SetBackColor(0xFF); }, {"BCOL"}, 1},
        {"BackOver", [](vbButton& b) { b.SetBackOver(0xFF); }, {"BCOLO"}, 1},
        {"ForeColor", [](vbButton& b) { b.SetForeColor(0xFF); }, {"FCOL"}, 1},
        {"ForeOver", [](vbButton& b) { b.SetForeOver(0xFF); }, {"FCOLO"}, 1},
        {"MaskColor", [](vbButton& b) { b.SetMaskColor(0xFF); }, {"MCOL"}, 1},
        {"ButtonType", [](vbButton& b) { b.SetButtonType(14); }, {"BTYPE"}, 1},
        {"Caption", [](vbButton& b) { b.SetCaption("x"); }, {"TX"}, 1},
        {"Enabled", [](vbButton& b) { b.SetEnabled(false); }, {"ENAB"}, 1},
        {"Font", [](vbButton& b) { b.SetFont(platform::FontDesc{}); }, {"FONT"}, 1},
        {"FontBold", [](vbButton& b) { b.SetFontBold(true); }, {}, 1},
        {"FontItalic", [](vbButton& b) { b.SetFontItalic(true); }, {}, 1},
        {"FontUnderline", [](vbButton& b) { b.SetFontUnderline(true); }, {}, 1},
        {"FontSize", [](vbButton& b) { b.SetFontSize(12); }, {}, 1},
        {"FontName", [](vbButton& b) { b.SetFontName("Arial"); }, {}, 1},
        {"ColorScheme", [](vbButton& b) { b.SetColorScheme(3); }, {"COLTYPE"}, 1},
        {"ShowFocusRect", [](vbButton& b) { b.SetShowFocusRect(false); }, {"FOCUSR"}, 1},
        {"MousePointer", [](vbButton& b) { b.SetMousePointer(1); }, {"MPTR"}, 0},
        {"MouseIcon", [](vbButton& b) { b.SetMouseIcon(nullptr); }, {"MICON"}, 0},
        {"HandPointer", [](vbButton& b) { b.SetHandPointer(true); }, {"HAND"}, 0},
        {"SoftBevel", [](vbButton& b) { b.SetSoftBevel(true); }, {"SOFT"}, 1},
        {"PictureNormal",
         [](vbButton& b) { b.SetPictureNormal(ButtonHost::Icon16()); },
         {"PICN"},
         1},
        {"PictureOver (not lit)",
         [](vbButton& b) { b.SetPictureOver(ButtonHost::Icon16()); },
         {"PICO"},
         0},
        {"PicturePosition", [](vbButton& b) { b.SetPicturePosition(2); }, {"PICPOS"}, 1},
        {"UseMaskColor (no picture)", [](vbButton& b) { b.SetUseMaskColor(false); }, {"UMCOL"}, 0},
        {"UseGreyscale (no picture)", [](vbButton& b) { b.SetUseGreyscale(true); }, {"NGREY"}, 0},
        {"SpecialEffect", [](vbButton& b) { b.SetSpecialEffect(3); }, {"FX"}, 1},
        {"CheckBoxBehaviour", [](vbButton& b) { b.SetCheckBoxBehaviour(true); }, {"CHECK"}, 1},
        {"Value (no check box)", [](vbButton& b) { b.SetValue(true); }, {"VALUE"}, 0},
    };
    for (const SetterCase& c : cases) {
        ShownButton host;
        const int64_t before = host.Redraws();
        c.set(*host.button);
        EXPECT_EQ(host.site->Notifications(), c.notifications) << c.name;
        EXPECT_EQ(host.Redraws() - before, c.redraws) << c.name;
    }
}

TEST(vbButtonSetters, PictureSettersRedrawWhenTheyShow) {
    ShownButton host;
    host.button->SetPictureNormal(ButtonHost::Icon16());
    int64_t before = host.Redraws();
    host.button->SetUseMaskColor(false);
    host.button->SetUseGreyscale(true);
    EXPECT_EQ(host.Redraws() - before, 2);
}

TEST(vbButtonSetters, HoverColoursFollowInDesignModeOnly) {
    ShownButton design(false);
    design.button->SetBackOver(0x111111);
    design.button->SetForeOver(0x222222);
    design.button->SetBackColor(0x0000FF);
    design.button->SetForeColor(0x00FF00);
    EXPECT_EQ(design.button->BackOver(), 0x0000FFu);
    EXPECT_EQ(design.button->ForeOver(), 0x00FF00u);

    ShownButton running(true);
    running.button->SetBackOver(0x111111);
    running.button->SetForeOver(0x222222);
    running.button->SetBackColor(0x0000FF);
    running.button->SetForeColor(0x00FF00);
    EXPECT_EQ(running.button->BackOver(), 0x111111u);
    EXPECT_EQ(running.button->ForeOver(), 0x222222u);
}

TEST(vbButtonSetters, OutlineLookMakesTheFontBoldInDesignModeOnly) {
    ShownButton design(false);
    design.button->SetButtonType(5);
    EXPECT_TRUE(design.button->FontBold());
    ShownButton running(true);
    running.button->SetButtonType(5);
    EXPECT_FALSE(running.button->FontBold());
}

TEST(vbButtonSetters, MousePointerOutside16BitsFailsBeforeAnythingChanges) {
    ShownButton host;
    host.button->SetMousePointer(11);
    host.site->ClearNotifications();
    EXPECT_THROW(host.button->SetMousePointer(32768), OverflowError);
    EXPECT_THROW(host.button->SetMousePointer(-32769), OverflowError);
    EXPECT_EQ(host.button->MousePointer(), 11);
    EXPECT_TRUE(host.site->Notifications().empty());
    host.button->SetMousePointer(-32768);
    EXPECT_EQ(host.button->MousePointer(), -32768);
}

TEST(vbButtonSetters, MouseIconErrorsAreIgnoredButNotified) {
    ShownButton host;
    platform::Image image{4, 4, std::vector<uint32_t>(16, 0xFF00FF00)};
    host.button->SetMouseIcon(platform::LoadPicture(platform::EncodeBmp24(image).Value()).Value());
    EXPECT_EQ(host.button->MouseIcon(), nullptr);
    EXPECT_EQ(host.site->Notifications(), std::vector<std::string>{"MICON"});
}

TEST(vbButtonSetters, FontShortcutsWorkOnTheWindowsFont) {
    ShownButton host;
    host.button->SetFontName("Arial Black");
    host.button->SetFontSize(9.75f);
    host.button->SetFontItalic(true);
    host.button->SetFontUnderline(true);
    EXPECT_EQ(host.site->Font().name, "Arial Black");
    EXPECT_EQ(host.site->Font().sizeCy, 97500);
    EXPECT_TRUE(host.button->FontItalic());
    EXPECT_TRUE(host.button->FontUnderline());
    // Whole points, halves to even.
    const std::pair<float, int16_t> sizes[] = {
        {9.75f, 10}, {9.5f, 10}, {10.5f, 10}, {8.25f, 8}, {11.5f, 12}};
    for (const auto& [points, whole] : sizes) {
        host.button->SetFontSize(points);
        EXPECT_EQ(host.button->FontSize(), whole) << points;
    }
}

TEST(vbButtonSetters, FontsTheStreamCannotHoldFailBeforeAnythingChanges) {
    const auto setFont = [](int64_t sizeCy, std::string name) {
        return [=](vbButton& b) { b.SetFont({.name = name, .sizeCy = sizeCy}); };
    };
    const float kNaN = std::numeric_limits<float>::quiet_NaN();
    const float kInfinity = std::numeric_limits<float>::infinity();
    const std::string kEuro = "\xE2\x82\xAC";
    const std::pair<const char*, std::function<void(vbButton&)>> cases[] = {
        {"FontSize -1", [](vbButton& b) { b.SetFontSize(-1); }},
        {"FontSize 0", [](vbButton& b) { b.SetFontSize(0); }},
        {"FontSize NaN", [=](vbButton& b) { b.SetFontSize(kNaN); }},
        {"FontSize +inf", [=](vbButton& b) { b.SetFontSize(kInfinity); }},
        {"FontSize 5e9", [](vbButton& b) { b.SetFontSize(5e9f); }},
        {"FontSize above the maximum", [](vbButton& b) { b.SetFontSize(429496.75f); }},
        {"Font size 0", setFont(0, "Arial")},
        {"Font size above the maximum", setFont(platform::kMaxFontSizeCy + 1, "Arial")},
        {"FontName of 256 bytes", [](vbButton& b) { b.SetFontName(std::string(256, 'n')); }},
        {"FontName crossing byte 255",
         [=](vbButton& b) { b.SetFontName(std::string(253, 'n') + kEuro); }},
        {"Font name of 256 bytes", setFont(90000, std::string(256, 'n'))},
    };
    for (const auto& [name, set] : cases) {
        ShownButton host;
        const platform::FontDesc before = host.button->Font();
        const int64_t redraws = host.Redraws();
        EXPECT_THROW(set(*host.button), InvalidPropertyValue) << name;
        EXPECT_EQ(host.button->Font(), before) << name;
        EXPECT_EQ(host.Redraws(), redraws) << name;
        EXPECT_TRUE(host.site->Notifications().empty()) << name;
    }
}

TEST(vbButtonSetters, FontsAtTheStreamsLimitsAreTaken) {
    ShownButton host;
    host.button->SetFontSize(0.0001f);
    EXPECT_EQ(host.button->Font().sizeCy, 1);
    host.button->SetFontSize(429496.71875f);  // the largest float below the maximum
    EXPECT_EQ(host.button->Font().sizeCy, 4294967188);
    host.button->SetFontName(std::string(252, 'n') + "\xE2\x82\xAC");
    EXPECT_EQ(host.button->FontName().size(), 255u);
}

TEST(vbButtonFontSize, OverflowsFrom32767AndAHalfPoints) {
    ShownButton host;
    const auto sizeOf = [&](int64_t sizeCy) {
        host.button->SetFont({.sizeCy = sizeCy});
        return host.button->FontSize();
    };
    EXPECT_EQ(sizeOf(327670000), 32767);
    EXPECT_EQ(sizeOf(327674999), 32767);
    EXPECT_THROW(sizeOf(327675000), OverflowError);
    EXPECT_THROW(sizeOf(platform::kMaxFontSizeCy), OverflowError);
}

TEST(vbButtonRefresh, DisableRefreshDrawsNothingUntilRefreshDrawsOnce) {
    ShownButton host;
    host.button->DisableRefresh();
    const int64_t before = host.Redraws();
    host.button->SetCaption("A");
    host.button->SetBackColor(0xFF);
    host.button->SetSoftBevel(true);
    EXPECT_EQ(host.Redraws(), before);
    EXPECT_FALSE(host.button->IsReady());
    host.button->Refresh();
    EXPECT_EQ(host.Redraws(), before + 1);
    EXPECT_TRUE(host.button->IsReady());
}

TEST(vbButtonValue, DrawsDownOnlyWithCheckBoxBehaviour) {
    ShownButton host;
    const int64_t before = host.Redraws();
    host.button->SetValue(true);
    EXPECT_EQ(host.Redraws(), before);
    EXPECT_EQ(host.button->LastDrawnState(), DrawnState::Up);
    host.button->SetCheckBoxBehaviour(true);
    EXPECT_EQ(host.button->LastDrawnState(), DrawnState::Down);
}

TEST(vbButtonAmbient, ChangesRederiveUnlessTheColoursAreTheButtonsOwn) {
    ShownButton host;
    int64_t before = host.Redraws();
    forms::AmbientProperties ambient = host.site->Ambient();
    ambient.displayName = "other";
    host.site->SetAmbient(ambient);
    EXPECT_EQ(host.Redraws(), before + 1);

    host.button->SetColorScheme(2);
    before = host.Redraws();
    ambient.displayName = "third";
    host.site->SetAmbient(ambient);
    EXPECT_EQ(host.Redraws(), before);
}

TEST(vbButton, VersionAndHandle) {
    ShownButton host;
    EXPECT_EQ(host.button->Version(), "2.0.6");
    EXPECT_EQ(host.button->hwnd(), static_cast<int32_t>(host.site->SiteWindow().Handle()));
}

}  // namespace
}  // namespace button
