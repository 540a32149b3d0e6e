#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "button/vb_button.h"
#include "tests/button/button_host.h"

namespace button {
namespace {

using platform::AccessibleRole;
using platform::AccessibleState;

// A loaded, shown button that counts its Click events.
struct ClickedButton : ButtonHost {
    ClickedButton() {
        site->Load({});
        site->Show();
        site->SetEventHandler([this](const forms::ControlEvent& event) {
            if (event.name == "Click") ++clicks;
        });
    }
    platform::AccessibleDescription Seen() const { return site->SiteWindow().Describe(); }
    int clicks = 0;
};

TEST(vbButtonAccessibility, IsAPushButtonNamedByItsCaptionOrItsHostWithItsAccessKey) {
    ClickedButton host;
    host.button->SetCaption("&Go on");
    EXPECT_EQ(host.Seen().role, AccessibleRole::PushButton);
    EXPECT_EQ(host.Seen().name, "Go on");
    EXPECT_EQ(host.Seen().keyBinding, "<Alt>g");
    EXPECT_EQ(host.Seen().actions, (std::vector<std::string>{"click"}));
    EXPECT_FALSE(host.Seen().states.Has(AccessibleState::Checkable));
    host.site->SetAccessibleName("continue");
    host.site->SetAccessibleShortcut("Return");
    EXPECT_EQ(host.Seen().name, "continue");
    EXPECT_EQ(host.Seen().keyBinding, "<Alt>g;;Return");
}

TEST(vbButtonAccessibility, ClickActionTakesTheClickPathAndTogglesACheckBox) {
    ClickedButton host;
    host.site->SiteWindow().OnAccessibleAction(-1, "click");
    EXPECT_EQ(host.clicks, 1);
    host.site->SiteWindow().OnAccessibleAction(-1, "press");
    EXPECT_EQ(host.clicks, 1);

    host.button->SetCheckBoxBehaviour(true);
    EXPECT_EQ(host.Seen().role, AccessibleRole::CheckBox);
    EXPECT_TRUE(host.Seen().states.Has(AccessibleState::Checkable));
    EXPECT_FALSE(host.Seen().states.Has(AccessibleState::Checked));
    host.site->SiteWindow().OnAccessibleAction(-1, "click");
    EXPECT_EQ(host.clicks, 2);
    EXPECT_TRUE(host.button->Value());
    EXPECT_TRUE(host.Seen().states.Has(AccessibleState::Checked));

    host.button->SetEnabled(false);
    host.site->SiteWindow().OnAccessibleAction(-1, "click");
    EXPECT_EQ(host.clicks, 2);
}

}  // namespace
}  // namespace button
