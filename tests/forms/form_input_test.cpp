#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "form_test_env.h"
#include "forms/control_group.h"
#include "forms/label.h"
#include "forms/shape.h"
#include "forms/timer.h"
#include "platform/ui/keys.h"

namespace forms {
namespace {

using testing::DesignOfPixels;
using testing::FormTestEnv;

void Click(platform::WindowSystem& system, platform::Point at) {
    system.PointerMoveTo(at);
    system.ButtonDown(platform::kButtonLeft);
    system.ButtonUp(platform::kButtonLeft);
}

struct ClickForm {
    explicit ClickForm(FormTestEnv& env)
        : form(env.system, DesignOfPixels(100, 60, 0x00FFFFFF)),
          label(form, {10, 10, 40, 30}, "About"),
          shape(form, {50, 10, 90, 30}) {
        label.SetClickHandler([this] { events.push_back("label"); });
        form.SetClickHandler([this] { events.push_back("form"); });
        form.ShowForm();
    }
    Form form;
    Label label;
    Shape shape;
    std::vector<std::string> events;
};

TEST(FormInputTest, ClicksGoToTheLabelUnderThePointerOrToTheForm) {
    FormTestEnv env;
    ClickForm f(env);
    Click(env.system, {20, 20});  // the label
    Click(env.system, {5, 50});   // the background
    Click(env.system, {60, 20});  // a shape takes no clicks: the form gets them
    EXPECT_EQ(f.events, (std::vector<std::string>{"label", "form", "form"}));
}

TEST(FormInputTest, PressAndReleaseOverDifferentPartsIsNoClick) {
    FormTestEnv env;
    ClickForm f(env);
    env.system.PointerMoveTo({20, 20});
    env.system.ButtonDown(platform::kButtonLeft);
    env.system.PointerMoveTo({5, 50});
    env.system.ButtonUp(platform::kButtonLeft);
    env.system.PointerMoveTo({5, 50});
    env.backend.AdvanceClock(1000);  // no double click with the next press
    env.system.ButtonDown(platform::kButtonLeft);
    env.system.PointerMoveTo({20, 20});
    env.system.ButtonUp(platform::kButtonLeft);
    EXPECT_TRUE(f.events.empty());
}

TEST(FormInputTest, HiddenLabelLetsClicksThroughToTheForm) {
    FormTestEnv env;
    ClickForm f(env);
    f.label.SetVisible(false);
    Click(env.system, {20, 20});
    EXPECT_EQ(f.events, (std::vector<std::string>{"form"}));
}

TEST(FormInputTest, LabelPointerShowsOnlyOverTheLabel) {
    FormTestEnv env;
    ClickForm f(env);
    auto pointer = std::make_shared<platform::PointerImage>();
    pointer->image = {1, 1, {0xFF000000}};
    f.label.SetPointer(platform::PointerKind::Custom, pointer);
    env.system.PointerMoveTo({20, 20});
    EXPECT_EQ(env.backend.CurrentPointer(), pointer.get());
    env.system.PointerMoveTo({60, 20});
    EXPECT_EQ(env.backend.CurrentPointer(), nullptr);
}

TEST(FormInputTest, LoadRunsOnceBeforeTheFirstShow) {
    FormTestEnv env;
    Form form(env.system, DesignOfPixels(10, 10, 0));
    std::vector<bool> visibleDuringLoad;
    form.SetLoadHandler([&] { visibleDuringLoad.push_back(form.IsVisible()); });
    EXPECT_TRUE(form.ShowForm());
    form.Hide();
    EXPECT_TRUE(form.ShowForm());
    EXPECT_EQ(visibleDuringLoad, (std::vector<bool>{false}));
    EXPECT_TRUE(form.IsVisible());
}

TEST(FormInputTest, LoadHandlerThatDestroysTheFormStopsTheShow) {
    FormTestEnv env;
    auto form = std::make_unique<Form>(env.system, DesignOfPixels(10, 10, 0));
    form->SetLoadHandler([&] { form.reset(); });
    EXPECT_FALSE(form->ShowForm());
    EXPECT_EQ(form, nullptr);
    EXPECT_TRUE(env.system.TopLevels().empty());
}

TEST(FormInputTest, CloseRequestCanBeCancelled) {
    FormTestEnv env;
    Form form(env.system, DesignOfPixels(10, 10, 0));
    bool refuse = true;
    int32_t asked = 0;
    form.SetCloseRequestHandler([&](bool& cancel) {
        ++asked;
        cancel = refuse;
    });
    form.ShowForm();
    env.system.CloseRequest(form.Handle());
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(form.IsVisible());
    refuse = false;
    EXPECT_TRUE(form.Close());
    EXPECT_EQ(asked, 2);
    EXPECT_FALSE(form.IsVisible());
}

TEST(FormInputTest, FormWithoutFocusableControlsTakesTypedCharacters) {
    FormTestEnv env;
    Form form(env.system, DesignOfPixels(10, 10, 0));
    std::vector<int32_t> typed;
    form.SetKeyPressHandler([&](int32_t& c) { typed.push_back(c); });
    form.ShowForm();
    env.system.Character('x');
    EXPECT_EQ(typed, (std::vector<int32_t>{'x'}));
}

// The first control in tab order that can take the focus gets it when the form is shown:
// hidden and disabled ones are passed over.
TEST(FormInputTest, ShowingFocusesTheFirstControlThatCanTakeIt) {
    FormTestEnv env;
    Form form(env.system, DesignOfPixels(100, 60, 0));
    std::vector<std::unique_ptr<platform::Window>> controls;
    for (int32_t tab = 0; tab < 4; ++tab) {
        controls.push_back(
            std::make_unique<platform::Window>(env.system, &form, platform::Rect{0, 0, 5, 5}));
        controls.back()->SetFocusable(true);
        controls.back()->SetTabIndex(3 - tab);  // made in reverse tab order
        controls.back()->Show();
    }
    controls[3]->SetEnabled(false);  // tab index 0
    controls[2]->Hide();             // tab index 1
    form.ShowForm();
    EXPECT_EQ(env.system.FocusWindow(), controls[1].get());
}

TEST(FormInputTest, TimersTickOnTheVirtualClock) {
    FormTestEnv env;
    Form form(env.system, DesignOfPixels(10, 10, 0));
    std::vector<std::pair<std::string, int64_t>> ticks;
    Timer fast(form, 30, true);
    Timer slow(form, 100, false);
    fast.SetTickHandler([&] { ticks.emplace_back("fast", env.system.NowMs()); });
    slow.SetTickHandler([&] { ticks.emplace_back("slow", env.system.NowMs()); });
    form.ShowForm();
    env.backend.AdvanceClock(95);
    EXPECT_EQ(ticks, (decltype(ticks){{"fast", 30}, {"fast", 60}, {"fast", 90}}));

    ticks.clear();
    fast.SetEnabled(false);
    slow.SetEnabled(true);  // starts now, at 95
    env.backend.AdvanceClock(199);
    EXPECT_EQ(ticks, (decltype(ticks){{"slow", 195}}));

    ticks.clear();
    slow.SetInterval(0);  // an interval of 0 stops the timer
    env.backend.AdvanceClock(300);
    EXPECT_TRUE(ticks.empty());
    EXPECT_TRUE(slow.IsEnabled());
}

TEST(FormInputTest, TickHandlerMayDestroyItsForm) {
    FormTestEnv env;
    auto form = std::make_unique<Form>(env.system, DesignOfPixels(10, 10, 0));
    auto timer = std::make_unique<Timer>(*form, 30, true);
    int32_t ticks = 0;
    timer->SetTickHandler([&] {
        ++ticks;
        timer.reset();
        form.reset();
    });
    form->ShowForm();
    env.backend.AdvanceClock(100);
    EXPECT_EQ(ticks, 1);
    EXPECT_EQ(form, nullptr);
}

TEST(FormInputTest, ControlGroupHandlerReceivesTheElementIndex) {
    FormTestEnv env;
    Form form(env.system, DesignOfPixels(100, 20, 0x00FFFFFF));
    Label a(form, {0, 0, 20, 20});
    Label b(form, {30, 0, 50, 20});
    Label c(form, {60, 0, 80, 20});
    ControlGroup<Label> group;
    group.Add(0, a);
    group.Add(7, b);
    group.Add(12, c);
    EXPECT_THROW(group.Add(7, c), std::invalid_argument);
    EXPECT_EQ(&group[12], &c);
    EXPECT_THROW(group[3], std::out_of_range);
    std::vector<int32_t> clicked;
    group.OnClick([&](int32_t index) { clicked.push_back(index); });
    form.ShowForm();
    Click(env.system, {65, 5});
    env.backend.AdvanceClock(1000);
    Click(env.system, {5, 5});
    env.backend.AdvanceClock(1000);
    Click(env.system, {35, 5});
    EXPECT_EQ(clicked, (std::vector<int32_t>{12, 0, 7}));
}

}  // namespace
}  // namespace forms
