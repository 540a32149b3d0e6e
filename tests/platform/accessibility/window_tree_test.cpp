#include "platform/accessibility/window_tree.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/accessibility/accessibility_service.h"
#include "platform/display/headless/headless_backend.h"
#include "platform/ui/window_system.h"
#include "tests/support/recording_window.h"

namespace platform {
namespace {

// A window that says what it is, with one windowless part, and writes down the actions asked
// of it among its calls.
class Described : public testsupport::RecordingWindow {
  public:
    Described(WindowSystem& system, Window* parent, Rect bounds, AccessibleRole role)
        : RecordingWindow(system, parent, bounds), role_(role) {}

    AccessibleDescription Describe() const override {
        return {.role = role_,
                .name = name,
                .actions = {kClickAction},
                .text = text,
                .describedBy = describedBy};
    }
    std::vector<AccessiblePart> DescribeParts() const override { return parts; }

    std::string name;
    std::optional<std::string> text;
    WindowHandle describedBy = 0;
    std::vector<AccessiblePart> parts;

  private:
    AccessibleRole role_;
};

struct RecordingSink : AccessibleEventSink {
    void Publish(const AccessibleTree&, const AccessibleEvent& event) override {
        events.push_back(event);
    }
    bool TakesEvents() override { return takes; }
    std::vector<AccessibleEvent> events;
    bool takes = true;
};

// At scale 2: a frame at (100, 50) with a key, a silent panel whose key takes its place, a
// hidden key and a label part.
struct Calculator {
    Calculator() {
        frame.SetTitle("Tavik");
        frame.parts = {
            {.description = {.role = AccessibleRole::Label, .name = "About"},
             .bounds = {0, 60, 30, 70}},
            {.description = {.role = AccessibleRole::Label}, .bounds = {}, .shown = false}};
        key.name = "7";
        key.SetFocusable(true);
        inner.name = "8";
        for (Window* w : std::initializer_list<Window*>{&frame, &key, &panel, &inner})
            w->Show();
        key.Focus();
    }

    HeadlessBackend backend{{1024, 768}, DeviceScale::Whole(2)};
    WindowSystem system{backend};
    Described frame{system, nullptr, {100, 50, 300, 250}, AccessibleRole::Frame};
    Described key{system, &frame, {10, 20, 43, 53}, AccessibleRole::PushButton};
    Window panel{system, &frame, {50, 0, 150, 100}};
    Described inner{system, &panel, {5, 5, 15, 15}, AccessibleRole::PushButton};
    Described hidden{system, &frame, {0, 0, 5, 5}, AccessibleRole::PushButton};
};

TEST(ReadWindowTree, GivesTheShownDescribedWindowsAndPartsWithTheirStatesAndScreenExtents) {
    Calculator calc;
    const std::vector<AccessibleNode> nodes = ReadWindowTree(calc.system);
    const AccessibleId frame = AccessibleIdOf({calc.frame.Handle(), -1});
    ASSERT_EQ(nodes.size(), 4u);
    EXPECT_EQ(nodes[0].id, frame);
    EXPECT_EQ(nodes[0].description.name, "Tavik");
    EXPECT_EQ(nodes[0].extents, (Rect{200, 100, 600, 500}));
    EXPECT_TRUE(nodes[0].states.Has(AccessibleState::Active));
    EXPECT_EQ(nodes[1].id, AccessibleIdOf({calc.frame.Handle(), 0}));
    EXPECT_EQ(nodes[1].parent, frame);
    EXPECT_EQ(nodes[1].extents, (Rect{200, 220, 260, 240}));
    EXPECT_EQ(nodes[2].description.name, "7");
    EXPECT_EQ(nodes[2].extents, (Rect{220, 140, 286, 206}));
    EXPECT_EQ(nodes[2].states,
              (AccessibleStates{AccessibleState::Showing, AccessibleState::Visible,
                                AccessibleState::Enabled, AccessibleState::Sensitive,
                                AccessibleState::Focusable, AccessibleState::Focused}));
    EXPECT_EQ(nodes[3].description.name, "8");
    EXPECT_EQ(nodes[3].parent, frame);
    EXPECT_EQ(nodes[3].extents, (Rect{310, 110, 330, 130}));
    EXPECT_EQ(OwnerOfAccessible(nodes[1].id).window, calc.frame.Handle());
    EXPECT_EQ(OwnerOfAccessible(nodes[1].id).part, 0);
}

// A describing window's text becomes the description of the object it describes, related both
// ways; an object does not describe itself.
TEST(ReadWindowTree, TakesTheDescriptionOfAnObjectFromTheWindowThatDescribesIt) {
    Calculator calc;
    calc.frame.text = "12";
    calc.frame.describedBy = calc.frame.Handle();
    calc.key.describedBy = calc.frame.Handle();
    const std::vector<AccessibleNode> nodes = ReadWindowTree(calc.system);
    ASSERT_EQ(nodes.size(), 4u);
    using Kind = AccessibleRelationKind;
    EXPECT_EQ(nodes[0].description.description, "");
    EXPECT_EQ(nodes[0].relations,
              (std::vector<AccessibleRelation>{{Kind::DescriptionFor, nodes[2].id}}));
    EXPECT_EQ(nodes[2].description.description, "12");
    EXPECT_EQ(nodes[2].relations,
              (std::vector<AccessibleRelation>{{Kind::DescribedBy, nodes[0].id}}));
}

TEST(AccessibilityService, PublishesAfterEachDispatchAndRunsActionsFromTheLoop) {
    Calculator calc;
    RecordingSink sink;
    AccessibilityService service(calc.system, "calc", sink);
    const AccessibleId key = AccessibleIdOf({calc.key.Handle(), -1});
    const AccessibleId part = AccessibleIdOf({calc.frame.Handle(), 0});

    calc.key.name = "seven";
    calc.key.log.clear();
    EXPECT_TRUE(service.DoAction(key, 0));
    EXPECT_FALSE(service.DoAction(key, 1));
    EXPECT_FALSE(service.DoAction(part, 0));
    EXPECT_FALSE(service.GrabFocus(part));
    EXPECT_TRUE(calc.key.log.empty());
    calc.system.DispatchPending();
    EXPECT_EQ(calc.key.log, (std::vector<std::string>{"AccessibleAction -1 click"}));
    EXPECT_EQ(
        sink.events,
        (std::vector<AccessibleEvent>{{.kind = AccessibleEventKind::NameChanged, .source = key}}));
}

// While the sink is stalled, requests see the windows as they are, and the events wait as one
// net change: each object's latest name and a single text change from what readers last heard.
TEST(AccessibilityService, HoldsEventsBackAsOneNetChangeWhileTheSinkTakesNone) {
    Calculator calc;
    calc.frame.text = "1";
    RecordingSink sink;
    AccessibilityService service(calc.system, "calc", sink);
    const AccessibleId key = AccessibleIdOf({calc.key.Handle(), -1});
    const AccessibleId frame = AccessibleIdOf({calc.frame.Handle(), -1});

    sink.takes = false;
    for (const char* text : {"12", "123", "1234"}) {
        calc.frame.text = text;
        calc.key.name = text;
        calc.system.DispatchPending();
    }
    calc.hidden.Show();
    calc.system.DispatchPending();
    calc.hidden.Hide();
    calc.system.DispatchPending();
    EXPECT_TRUE(sink.events.empty());
    EXPECT_EQ(service.Tree().Find(key)->description.name, "1234");

    sink.takes = true;
    calc.system.DispatchPending();
    using Kind = AccessibleEventKind;
    EXPECT_EQ(sink.events,
              (std::vector<AccessibleEvent>{
                  {.kind = Kind::NameChanged, .source = key},
                  {.kind = Kind::TextInserted, .source = frame, .offset = 1, .text = "234"}}));
    sink.events.clear();
    calc.key.name = "5";
    calc.system.DispatchPending();
    EXPECT_EQ(sink.events,
              (std::vector<AccessibleEvent>{{.kind = Kind::NameChanged, .source = key}}));
}

}  // namespace
}  // namespace platform
