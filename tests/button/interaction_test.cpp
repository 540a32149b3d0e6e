#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>
#include <type_traits>
#include <utility>
#include <variant>
#include <vector>

#include "button/vb_button.h"
#include "platform/gfx/region.h"
#include "platform/ui/keys.h"
#include "tests/button/button_host.h"

namespace button {
namespace {

using platform::kButtonLeft;
using platform::kButtonMiddle;
using platform::kButtonRight;
using platform::kKeyDown;
using platform::kKeyLeft;
using platform::kKeyRight;
using platform::kKeySpace;
using platform::kKeyUp;
using Events = std::vector<std::string>;

// An event as text: its name and its arguments in order, "MouseDown(1,0,37,12)".
std::string Describe(const forms::ControlEvent& event) {
    std::ostringstream text;
    text << event.name;
    if (event.args.empty()) return text.str();
    text << '(';
    for (size_t i = 0; i < event.args.size(); ++i) {
        if (i) text << ',';
        std::visit(
            [&](const auto& value) {
                if constexpr (std::is_arithmetic_v<std::decay_t<decltype(value)>>) {
                    text << +value;
                } else {
                    text << value;
                }
            },
            event.args[i]);
    }
    text << ')';
    return text.str();
}

// A loaded, shown button on its form, every event the host receives recorded with the state
// the button was last drawn in when the event was raised. The pointer starts away from the
// button.
class InteractiveButton : public ButtonHost {
  public:
    InteractiveButton() {
        site->Load({});
        site->Show();
        site->ClearNotifications();
        site->SetEventHandler([this](const forms::ControlEvent& event) {
            events.push_back(Describe(event));
            states.push_back(button->LastDrawnState());
            if (onEvent) onEvent(event);
        });
        MoveAway();
    }

    platform::Window& ButtonWindow() { return site->SiteWindow(); }
    /// A point of the button's client area: the middle unless told.
    void MoveOnto(platform::Point client = {kMiddleX, kMiddleY}) {
        system.PointerMoveTo(ButtonWindow().ClientToScreen(client));
    }
    void MoveAway() { system.PointerMoveTo(form.ClientToScreen({250, 150})); }
    void Clear() {
        events.clear();
        states.clear();
    }
    size_t Presented() const { return backend.Native(form.NativeId())->presentCount; }

    static constexpr int32_t kMiddleX = 37;
    static constexpr int32_t kMiddleY = 12;

    Events events;
    std::vector<DrawnState> states;
    std::function<void(const forms::ControlEvent&)> onEvent;
};

// A focusable window beside the button on the same form, for the tab order.
std::unique_ptr<platform::Window> FocusableWindow(InteractiveButton& host, int32_t tabIndex,
                                                  platform::Rect bounds) {
    auto window = std::make_unique<platform::Window>(host.system, &host.form, bounds);
    window->SetFocusable(true);
    window->SetTabIndex(tabIndex);
    window->Show();
    return window;
}

// ---- Mouse ----------------------------------------------------------------------------------

TEST(vbButtonMouse, LeftClickRaisesDownUpClickWithTheButtonUpAndOnScreenAtClick) {
    InteractiveButton host;
    host.MoveOnto();
    host.Clear();
    size_t presentedAtMouseUp = 0;
    size_t presentedAtClick = 0;
    host.onEvent = [&](const forms::ControlEvent& event) {
        if (event.name == "MouseUp") presentedAtMouseUp = host.Presented();
        if (event.name == "Click") presentedAtClick = host.Presented();
    };

    host.system.ButtonDown(kButtonLeft);
    EXPECT_EQ(host.button->LastDrawnState(), DrawnState::Down);
    host.system.ButtonUp(kButtonLeft);

    EXPECT_EQ(host.events, (Events{"MouseDown(1,0,37,12)", "MouseUp(1,0,37,12)", "Click"}));
    // Each event comes before the button's own reaction; Click after the up redraw.
    EXPECT_EQ(host.states,
              (std::vector<DrawnState>{DrawnState::Up, DrawnState::Down, DrawnState::Up}));
    EXPECT_GT(presentedAtClick, presentedAtMouseUp);
    EXPECT_EQ(host.button->LastDrawnState(), DrawnState::Up);
}

TEST(vbButtonMouse, OnlyTheLeftButtonClicksAndTheRightNeverLooksPressed) {
    struct Case {
        int32_t button;
        DrawnState stateWhilePressed;
        int64_t redraws;
        Events events;
    };
    // The left press also takes the focus, which redraws once more.
    const Case cases[] = {
        {kButtonLeft, DrawnState::Down, 4, {"MouseDown(1,0,37,12)", "MouseUp(1,0,37,12)", "Click"}},
        {kButtonRight, DrawnState::Up, 0, {"MouseDown(2,0,37,12)", "MouseUp(2,0,37,12)"}},
        {kButtonMiddle, DrawnState::Down, 2, {"MouseDown(4,0,37,12)", "MouseUp(4,0,37,12)"}},
    };
    for (const Case& c : cases) {
        InteractiveButton host;
        host.MoveOnto();
        host.Clear();
        const int64_t before = host.button->RedrawCount();
        host.system.ButtonDown(c.button);
        EXPECT_EQ(host.button->LastDrawnState(), c.stateWhilePressed) << c.button;
        host.system.ButtonUp(c.button);
        EXPECT_EQ(host.button->LastDrawnState(), DrawnState::Up) << c.button;
        EXPECT_EQ(host.events, c.events) << c.button;
        EXPECT_EQ(host.button->RedrawCount() - before, c.redraws) << c.button;
    }
}

TEST(vbButtonMouse, MouseDownHandlerSettingButtonTwoSuppressesTheDownLookAndTheClick) {
    InteractiveButton host;
    host.MoveOnto();
    host.Clear();
    host.onEvent = [](const forms::ControlEvent& event) {
        if (event.name == "MouseDown") event.args[0] = int16_t{2};
    };
    host.system.ButtonDown(kButtonLeft);
    EXPECT_EQ(host.button->LastDrawnState(), DrawnState::Up);
    host.system.ButtonUp(kButtonLeft);
    EXPECT_EQ(host.events, (Events{"MouseDown(1,0,37,12)", "MouseUp(1,0,37,12)"}));
}

TEST(vbButtonMouse, ButtonWrittenBackMustFitAByte) {
    struct Case {
        int16_t written;
        bool overflows;
    };
    for (const Case c : {Case{255, false}, Case{256, true}, Case{300, true}, Case{-1, true}}) {
        InteractiveButton host;
        host.MoveOnto();
        host.onEvent = [&](const forms::ControlEvent& event) {
            if (event.name == "MouseDown") event.args[0] = c.written;
        };
        if (c.overflows) {
            EXPECT_THROW(host.system.ButtonDown(kButtonLeft), OverflowError) << c.written;
            // The press stops at the failed conversion: nothing drawn.
            EXPECT_EQ(host.button->LastDrawnState(), DrawnState::Up) << c.written;
        } else {
            EXPECT_NO_THROW(host.system.ButtonDown(kButtonLeft)) << c.written;
            EXPECT_EQ(host.button->LastDrawnState(), DrawnState::Down) << c.written;
        }
    }
}

// Only the press and the key going down store what the host's handler wrote back, so only
// they check that it fits a byte; the others pass it on.
TEST(vbButtonMouse, OnlyThePressAndKeyDownCheckTheValueWrittenBack) {
    InteractiveButton host;
    host.ButtonWindow().Focus();
    host.MoveOnto();
    host.onEvent = [](const forms::ControlEvent& event) {
        if (event.name != "MouseDown" && event.name != "KeyDown" && !event.args.empty())
            event.args[0] = int16_t{300};
    };
    host.system.ButtonDown(kButtonLeft);
    EXPECT_NO_THROW(host.MoveOnto({5, 5}));
    EXPECT_NO_THROW(host.system.ButtonUp(kButtonLeft));
    EXPECT_EQ(host.button->LastDrawnState(), DrawnState::Up);
    EXPECT_EQ(host.system.CaptureWindow(), nullptr);
    host.system.KeyDown(kKeySpace);
    EXPECT_NO_THROW(host.system.KeyUp(kKeySpace));
}

// A host handler that throws on a release leaves neither the press drawn nor the pointer
// captured.
TEST(vbButtonMouse, AThrowingReleaseHandlerLeavesNoPressBehind) {
    for (const char* released : {"MouseUp", "KeyUp"}) {
        InteractiveButton host;
        host.ButtonWindow().Focus();
        host.MoveOnto();
        host.onEvent = [&](const forms::ControlEvent& event) {
            if (event.name == released) throw std::runtime_error("host failure");
        };
        if (std::string(released) == "MouseUp") {
            host.system.ButtonDown(kButtonLeft);
            EXPECT_THROW(host.system.ButtonUp(kButtonLeft), std::runtime_error);
        } else {
            host.system.KeyDown(kKeySpace);
            EXPECT_THROW(host.system.KeyUp(kKeySpace), std::runtime_error);
        }
        EXPECT_EQ(host.button->LastDrawnState(), DrawnState::Up) << released;
        EXPECT_EQ(host.system.CaptureWindow(), nullptr) << released;
    }
}

// A key clicked twice quickly enters twice: the second press of a double click is a press
// like the first, where the pointer is, and its release clicks; a check box toggles twice.
TEST(vbButtonMouse, DoubleClickIsTwoClicks) {
    for (const bool checkBox : {false, true}) {
        InteractiveButton host;
        host.button->SetCheckBoxBehaviour(checkBox);
        host.MoveOnto();
        host.Clear();
        std::vector<bool> valueAtClick;
        host.onEvent = [&](const forms::ControlEvent& event) {
            if (event.name == "Click") valueAtClick.push_back(host.button->Value());
        };
        host.system.ButtonDown(kButtonLeft);
        host.system.ButtonUp(kButtonLeft);
        host.MoveOnto({39, 13});
        host.Clear();
        host.system.ButtonDown(kButtonLeft);
        EXPECT_EQ(host.button->LastDrawnState(), DrawnState::Down);
        host.system.ButtonUp(kButtonLeft);

        EXPECT_EQ(host.events, (Events{"MouseDown(1,0,39,13)", "MouseUp(1,0,39,13)", "Click"}));
        EXPECT_EQ(valueAtClick,
                  checkBox ? (std::vector<bool>{true, false}) : (std::vector<bool>{false, false}));
        EXPECT_EQ(host.button->LastDrawnState(), DrawnState::Up);
    }
}

// ---- Hover ----------------------------------------------------------------------------------

TEST(vbButtonHover, EntryRaisesOneMouseOverAndLeavingOneMouseOutAtTheNextTick) {
    InteractiveButton host;
    host.Clear();
    const int64_t before = host.button->RedrawCount();
    host.MoveOnto();
    EXPECT_TRUE(host.button->IsLit());
    EXPECT_TRUE(host.site->Container().timer->TimerEnabled());
    EXPECT_EQ(host.site->Container().timer->TimerInterval(), 3);
    EXPECT_EQ(host.button->RedrawCount() - before, 1);
    // Moves inside a lit button cost no redraw and raise nothing but MouseMove.
    host.MoveOnto({5, 5});
    host.MoveOnto({60, 20});
    EXPECT_EQ(host.button->RedrawCount() - before, 1);
    EXPECT_EQ(host.events, (Events{"MouseMove(0,0,37,12)", "MouseOver", "MouseMove(0,0,5,5)",
                                   "MouseMove(0,0,60,20)"}));

    host.backend.AdvanceClock(1);
    host.MoveAway();
    host.Clear();
    host.backend.AdvanceClock(1);
    EXPECT_TRUE(host.events.empty());
    EXPECT_TRUE(host.button->IsLit());
    host.backend.AdvanceClock(1);
    EXPECT_EQ(host.events, (Events{"MouseOut"}));
    EXPECT_FALSE(host.button->IsLit());
    EXPECT_FALSE(host.site->Container().timer->TimerEnabled());
    EXPECT_EQ(host.button->RedrawCount() - before, 2);
    host.backend.AdvanceClock(30);
    EXPECT_EQ(host.events, (Events{"MouseOut"}));
}

TEST(vbButtonHover, ThePointerIsOverOnlyWhereTheButtonsWindowIsHit) {
    struct Case {
        const char* name;
        std::function<std::unique_ptr<platform::Window>(InteractiveButton&)> arrange;
    };
    const Case cases[] = {
        {"outside the window shape",
         [](InteractiveButton& host) {
             host.ButtonWindow().SetShape(platform::Region::Ellipse({0, 0, 75, 25}));
             return nullptr;
         }},
        {"covered by another window",
         [](InteractiveButton& host) {
             auto cover = std::make_unique<platform::Window>(host.system, &host.form,
                                                             platform::Rect{5, 5, 15, 15});
             cover->Show();
             return cover;
         }},
    };
    for (const Case& c : cases) {
        InteractiveButton host;
        const auto keep = c.arrange(host);
        host.MoveOnto();
        // A corner of the button's rectangle: outside its shape, or under the other window.
        host.MoveOnto({0, 0});
        host.Clear();
        host.backend.AdvanceClock(3);
        EXPECT_EQ(host.events, (Events{"MouseOut"})) << c.name;

        // A press dragged there: the captured move is told the pointer is not over.
        host.MoveOnto();
        host.system.ButtonDown(kButtonLeft);
        host.MoveOnto({0, 0});
        EXPECT_EQ(host.button->LastDrawnState(), DrawnState::Up) << c.name;
        host.system.ButtonUp(kButtonLeft);
    }
}

TEST(vbButtonHover, PressDraggedOutAndBackInClicksAndEntersAfresh) {
    InteractiveButton host;
    host.MoveOnto();
    host.Clear();
    host.system.ButtonDown(kButtonLeft);
    EXPECT_EQ(host.button->LastDrawnState(), DrawnState::Down);
    host.MoveAway();
    EXPECT_EQ(host.button->LastDrawnState(), DrawnState::Up);
    host.backend.AdvanceClock(3);
    EXPECT_FALSE(host.button->IsLit());
    host.MoveOnto();
    EXPECT_EQ(host.button->LastDrawnState(), DrawnState::Down);
    EXPECT_FALSE(host.button->IsLit());
    host.system.ButtonUp(kButtonLeft);
    EXPECT_EQ(host.button->LastDrawnState(), DrawnState::Up);
    host.MoveOnto({40, 12});

    EXPECT_EQ(host.events, (Events{"MouseDown(1,0,37,12)", "MouseMove(1,0,240,140)", "MouseOut",
                                   "MouseMove(1,0,37,12)", "MouseUp(1,0,37,12)", "Click",
                                   "MouseMove(0,0,40,12)", "MouseOver"}));
    EXPECT_EQ(host.states, (std::vector<DrawnState>{
                               DrawnState::Up, DrawnState::Down, DrawnState::Up, DrawnState::Up,
                               DrawnState::Down, DrawnState::Up, DrawnState::Up, DrawnState::Up}));
    EXPECT_TRUE(host.button->IsLit());
    EXPECT_TRUE(host.site->Container().timer->TimerEnabled());
}

// The hover flag can go off while the timer runs (the focus leaving a button with the focus
// rectangle, a press dragged back in before the tick): the next tick that finds the pointer
// gone still ends the hover.
TEST(vbButtonHover, ATickWithTheFlagOffStillEndsTheHover) {
    const std::pair<const char*, std::function<void(InteractiveButton&)>> cases[] = {
        {"focus came and went",
         [](InteractiveButton& host) {
             host.ButtonWindow().Focus();
             host.system.SetFocus(nullptr);
         }},
        {"press dragged out and back in",
         [](InteractiveButton& host) {
             host.system.ButtonDown(kButtonLeft);
             host.MoveAway();
             host.MoveOnto();
             host.system.ButtonUp(kButtonLeft);
         }},
    };
    for (const auto& [what, act] : cases) {
        InteractiveButton host;
        host.MoveOnto();
        act(host);
        ASSERT_FALSE(host.button->IsLit()) << what;
        ASSERT_TRUE(host.site->Container().timer->TimerEnabled()) << what;
        host.MoveAway();
        host.Clear();
        host.backend.AdvanceClock(3);
        EXPECT_EQ(host.events, (Events{"MouseOut"})) << what;
        EXPECT_FALSE(host.site->Container().timer->TimerEnabled()) << what;
    }
}

// ---- Focus ----------------------------------------------------------------------------------

TEST(vbButtonFocus, FocusLightsTheButtonOnlyWithTheFocusRectangle) {
    for (const bool showFocusRect : {true, false}) {
        InteractiveButton host;
        host.button->SetShowFocusRect(showFocusRect);
        const auto other = FocusableWindow(host, 1, {200, 100, 250, 130});
        const int64_t before = host.button->RedrawCount();

        host.ButtonWindow().Focus();
        EXPECT_TRUE(host.button->HasFocusFlag()) << showFocusRect;
        EXPECT_EQ(host.button->IsLit(), showFocusRect) << showFocusRect;
        EXPECT_EQ(host.button->RedrawCount() - before, 1) << showFocusRect;

        other->Focus();
        EXPECT_FALSE(host.button->HasFocusFlag()) << showFocusRect;
        EXPECT_FALSE(host.button->IsLit()) << showFocusRect;
        EXPECT_EQ(host.button->RedrawCount() - before, 2) << showFocusRect;
    }
}

TEST(vbButtonFocus, AButtonLitByFocusRaisesNoHoverEvents) {
    InteractiveButton host;
    host.ButtonWindow().Focus();
    host.Clear();
    host.MoveOnto();
    host.MoveAway();
    host.backend.AdvanceClock(10);
    EXPECT_EQ(host.events, (Events{"MouseMove(0,0,37,12)"}));
    EXPECT_TRUE(host.button->IsLit());
    EXPECT_FALSE(host.site->Container().timer->TimerEnabled());
}

TEST(vbButtonFocus, ArrowKeysMoveTheFocusThroughTheTabOrder) {
    struct Case {
        int32_t key;
        bool forward;
    };
    for (const Case c : {Case{kKeyLeft, false}, Case{kKeyUp, false}, Case{kKeyRight, true},
                         Case{kKeyDown, true}}) {
        InteractiveButton host;
        host.ButtonWindow().SetTabIndex(1);
        const auto previous = FocusableWindow(host, 0, {200, 100, 250, 130});
        const auto next = FocusableWindow(host, 2, {200, 140, 250, 170});
        host.ButtonWindow().Focus();
        host.Clear();
        const int64_t before = host.button->RedrawCount();

        host.system.KeyDown(c.key);
        host.system.KeyUp(c.key);
        const std::string code = std::to_string(c.key);
        EXPECT_EQ(host.events, (Events{"KeyDown(" + code + ",0)", "KeyUp(" + code + ",0)"}));
        EXPECT_EQ(host.button->RedrawCount(), before) << c.key;
        EXPECT_TRUE(host.ButtonWindow().HasFocus()) << c.key;

        host.backend.ProcessUntilIdle();
        EXPECT_TRUE((c.forward ? next : previous)->HasFocus()) << c.key;
        EXPECT_FALSE(host.button->HasFocusFlag()) << c.key;
    }
}

// ---- Keys -----------------------------------------------------------------------------------

TEST(vbButtonKeys, SpaceClicksOnReleaseAndRepeatsDrawOnce) {
    InteractiveButton host;
    host.ButtonWindow().Focus();
    host.Clear();
    size_t presentedAtKeyUp = 0;
    size_t presentedAtClick = 0;
    host.onEvent = [&](const forms::ControlEvent& event) {
        if (event.name == "KeyUp") presentedAtKeyUp = host.Presented();
        if (event.name == "Click") presentedAtClick = host.Presented();
    };
    const int64_t before = host.button->RedrawCount();
    host.system.KeyDown(kKeySpace);
    host.system.KeyDown(kKeySpace);
    host.system.KeyDown(kKeySpace);
    EXPECT_EQ(host.button->LastDrawnState(), DrawnState::Down);
    EXPECT_EQ(host.button->RedrawCount() - before, 1);
    host.system.KeyUp(kKeySpace);

    EXPECT_EQ(host.events,
              (Events{"KeyDown(32,0)", "KeyDown(32,0)", "KeyDown(32,0)", "KeyUp(32,0)", "Click"}));
    EXPECT_EQ(host.states.back(), DrawnState::Up);
    EXPECT_GT(presentedAtClick, presentedAtKeyUp);  // the up look is on the screen at Click
    EXPECT_EQ(host.button->LastDrawnState(), DrawnState::Up);
}

TEST(vbButtonKeys, AnotherKeyBeforeTheSpaceReleaseCancelsTheClick) {
    InteractiveButton host;
    host.ButtonWindow().Focus();
    host.Clear();
    host.system.KeyDown(kKeySpace);
    host.system.KeyDown('A');
    host.system.KeyUp(kKeySpace);
    EXPECT_EQ(host.events, (Events{"KeyDown(32,0)", "KeyDown(65,0)", "KeyUp(32,0)"}));
    EXPECT_EQ(host.button->LastDrawnState(), DrawnState::Down);
}

TEST(vbButtonKeys, KeyCodeZeroFromKeyDownCancelsSpaceAndArrows) {
    for (const int32_t key : {kKeySpace, kKeyRight, kKeyUp}) {
        InteractiveButton host;
        const auto other = FocusableWindow(host, 1, {200, 100, 250, 130});
        host.ButtonWindow().Focus();
        host.onEvent = [](const forms::ControlEvent& event) {
            if (event.name == "KeyDown") event.args[0] = int16_t{0};
        };
        host.Clear();
        host.system.KeyDown(key);
        EXPECT_EQ(host.button->LastDrawnState(), DrawnState::Up) << key;
        host.system.KeyUp(key);
        host.backend.ProcessUntilIdle();
        EXPECT_TRUE(host.ButtonWindow().HasFocus()) << key;
        const std::string code = std::to_string(key);
        EXPECT_EQ(host.events, (Events{"KeyDown(" + code + ",0)", "KeyUp(" + code + ",0)"})) << key;
    }
}

TEST(vbButtonKeys, KeyCodeWrittenBackMustFitAByte) {
    InteractiveButton host;
    host.ButtonWindow().Focus();
    host.onEvent = [](const forms::ControlEvent& event) {
        if (event.name == "KeyDown") event.args[0] = int16_t{288};
    };
    EXPECT_THROW(host.system.KeyDown(kKeySpace), OverflowError);
    EXPECT_EQ(host.button->LastDrawnState(), DrawnState::Up);
}

TEST(vbButtonKeys, CharactersPassThroughKeyPress) {
    InteractiveButton host;
    host.ButtonWindow().Focus();
    host.Clear();
    const int64_t before = host.button->RedrawCount();
    host.system.Character('a');
    host.system.Character(kKeySpace);
    EXPECT_EQ(host.events, (Events{"KeyPress(97)", "KeyPress(32)"}));
    EXPECT_EQ(host.button->RedrawCount(), before);
}

// ---- Check box and access key -----------------------------------------------------------

TEST(vbButtonCheckBox, ClicksAndSpaceReleasesToggleValueWithoutNotification) {
    InteractiveButton host;
    host.button->SetCheckBoxBehaviour(true);
    host.site->ClearNotifications();
    host.MoveOnto();
    const struct {
        const char* input;
        std::function<void()> act;
    } steps[] = {
        {"click",
         [&] {
             host.system.ButtonDown(kButtonLeft);
             host.system.ButtonUp(kButtonLeft);
             host.backend.AdvanceClock(1000);
         }},
        {"space",
         [&] {
             host.ButtonWindow().Focus();
             host.system.KeyDown(kKeySpace);
             host.system.KeyUp(kKeySpace);
         }},
    };
    for (const auto& step : steps) {
        step.act();
        EXPECT_TRUE(host.button->Value()) << step.input;
        EXPECT_EQ(host.button->LastDrawnState(), DrawnState::Down) << step.input;
        step.act();
        EXPECT_FALSE(host.button->Value()) << step.input;
        EXPECT_EQ(host.button->LastDrawnState(), DrawnState::Up) << step.input;
    }
    EXPECT_TRUE(host.site->Notifications().empty());
}

TEST(vbButtonAccessKey, ClicksAnEnabledButtonWithoutMouseEvents) {
    InteractiveButton host;
    host.button->SetCheckBoxBehaviour(true);
    host.site->SetAccessKeys("k");
    host.site->ClearNotifications();
    host.Clear();
    host.system.Character('K');
    EXPECT_EQ(host.events, (Events{"Click"}));
    EXPECT_TRUE(host.button->Value());
    EXPECT_EQ(host.button->LastDrawnState(), DrawnState::Down);
    EXPECT_TRUE(host.site->Notifications().empty());
}

TEST(vbButtonAccessKey, ADisabledButtonIgnoresIt) {
    InteractiveButton host;
    host.button->SetCheckBoxBehaviour(true);
    host.site->SetAccessKeys("k");
    host.button->SetEnabled(false);
    host.Clear();
    host.system.Character('k');
    // Called by a host that does not filter disabled windows, the button still refuses.
    host.site->Control().OnAccessKey();
    EXPECT_TRUE(host.events.empty());
    EXPECT_FALSE(host.button->Value());
}

// ---- Destruction and hiding ---------------------------------------------------------------

TEST(vbButtonLifetime, AHandlerMayDestroyTheButton) {
    using Step = std::function<void(InteractiveButton&)>;
    const Step nothing = [](InteractiveButton&) {};
    const Step pointerOn = [](InteractiveButton& h) { h.MoveOnto(); };
    const Step pressed = [](InteractiveButton& h) {
        h.MoveOnto();
        h.system.ButtonDown(kButtonLeft);
    };
    const Step focused = [](InteractiveButton& h) { h.ButtonWindow().Focus(); };
    const Step left = [](InteractiveButton& h) {
        h.MoveOnto();
        h.MoveAway();
    };
    const Step press = [](InteractiveButton& h) { h.system.ButtonDown(kButtonLeft); };
    const Step release = [](InteractiveButton& h) { h.system.ButtonUp(kButtonLeft); };
    const Step space = [](InteractiveButton& h) {
        h.system.KeyDown(kKeySpace);
        h.system.KeyUp(kKeySpace);
    };
    struct Case {
        const char* event;
        Step prepare;
        Step input;
    };
    const Case cases[] = {
        {"MouseDown", pointerOn, press},
        {"MouseMove", nothing, pointerOn},
        {"MouseOver", nothing, pointerOn},
        {"MouseUp", pressed, release},
        {"Click", pressed, release},
        {"MouseOut", left, [](InteractiveButton& h) { h.backend.AdvanceClock(3); }},
        {"KeyDown", focused, space},
        {"KeyUp", focused, space},
        {"KeyPress", focused, [](InteractiveButton& h) { h.system.Character('a'); }},
    };
    for (const Case& c : cases) {
        InteractiveButton host;
        c.prepare(host);
        const std::string wanted = c.event;
        const platform::WindowHandle handle = host.ButtonWindow().Handle();
        host.Clear();
        host.onEvent = [&](const forms::ControlEvent& event) {
            if (event.name == wanted) host.site.reset();
        };
        c.input(host);
        ASSERT_EQ(host.site, nullptr) << c.event;
        EXPECT_TRUE(host.events.back().starts_with(wanted)) << c.event;
        EXPECT_EQ(host.system.Find(handle), nullptr) << c.event;
        // Nothing of the button is left to run: no timer tick, no queued input.
        const size_t raised = host.events.size();
        host.system.PointerMoveTo(host.form.ClientToScreen({47, 22}));
        host.backend.AdvanceClock(10);
        EXPECT_EQ(host.events.size(), raised) << c.event;
    }
}

TEST(vbButtonLifetime, HidingStopsDrawingUntilShownAgain) {
    InteractiveButton host;
    host.site->Hide();
    EXPECT_FALSE(host.button->IsReady());
    const int64_t before = host.button->RedrawCount();
    host.button->SetBackColor(0xFF);
    EXPECT_EQ(host.button->RedrawCount(), before);
    host.site->Show();
    EXPECT_TRUE(host.button->IsReady());
}

}  // namespace
}  // namespace button
