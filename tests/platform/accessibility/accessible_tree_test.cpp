#include "platform/accessibility/accessible_tree.h"

#include <gtest/gtest.h>

#include <vector>

namespace platform {
namespace {

using Kind = AccessibleEventKind;
using State = AccessibleState;

AccessibleNode Node(AccessibleId id, AccessibleId parent, AccessibleRole role,
                    AccessibleStates states = {AccessibleState::Showing}, Rect extents = {}) {
    return {.id = id,
            .parent = parent,
            .description = {.role = role, .name = "n"},
            .states = states,
            .extents = extents};
}

TEST(AccessibleTree, HoldsTheNodesUnderTheApplicationInOrderAndLeavesOutOrphans) {
    AccessibleTree tree("calc");
    tree.Update({Node(1, kApplicationId, AccessibleRole::Frame), Node(2, 1, AccessibleRole::Text),
                 Node(3, 1, AccessibleRole::PushButton), Node(4, 99, AccessibleRole::Label),
                 Node(5, 4, AccessibleRole::Label)});
    EXPECT_EQ(tree.Find(kApplicationId)->description.name, "calc");
    EXPECT_EQ(tree.Find(kApplicationId)->description.role, AccessibleRole::Application);
    EXPECT_EQ(std::vector<AccessibleId>(tree.Children(1).begin(), tree.Children(1).end()),
              (std::vector<AccessibleId>{2, 3}));
    EXPECT_EQ(tree.IndexInParent(3), 1);
    EXPECT_EQ(tree.IndexInParent(kApplicationId), -1);
    EXPECT_EQ(tree.Find(4), nullptr);
    EXPECT_EQ(tree.Find(5), nullptr);
    EXPECT_TRUE(tree.Children(42).empty());
    EXPECT_EQ(tree.All(), (std::vector<AccessibleId>{kApplicationId, 1, 2, 3}));
}

TEST(AccessibleTree, FindsTheDeepestShowingObjectAtAPointTopmostFirst) {
    AccessibleTree tree("calc");
    tree.Update({Node(1, kApplicationId, AccessibleRole::Frame, {State::Showing}, {0, 0, 100, 100}),
                 Node(2, 1, AccessibleRole::PushButton, {State::Showing}, {10, 10, 40, 40}),
                 Node(3, 1, AccessibleRole::PushButton, {State::Showing}, {30, 30, 60, 60}),
                 Node(4, 1, AccessibleRole::PushButton, {}, {0, 0, 100, 100})});
    EXPECT_EQ(tree.At({35, 35})->id, 3u);
    EXPECT_EQ(tree.At({15, 15})->id, 2u);
    EXPECT_EQ(tree.At({80, 80})->id, 1u);
    EXPECT_EQ(tree.At({15, 15}, 3), nullptr);
    EXPECT_EQ(tree.At({200, 5}), nullptr);
}

// The calculator with its display focused; then the quit question opens over it, "7" goes, a
// key is renamed and checked, the display's text and caret change, and with them the description
// of the key it describes, and the focus moves into the question.
TEST(AccessibleTree, TellsChangesInTheOrderAReaderWantsThem) {
    AccessibleTree tree("calc");
    const AccessibleStates frameActive{State::Showing, State::Active};
    const AccessibleStates focused{State::Showing, State::Focused};
    AccessibleNode display = Node(2, 1, AccessibleRole::Text, focused);
    display.description.text = "12";
    const std::vector<AccessibleEvent> first = tree.Update(
        {Node(1, kApplicationId, AccessibleRole::Frame, frameActive), display,
         Node(3, 1, AccessibleRole::PushButton), Node(4, 1, AccessibleRole::PushButton)});
    EXPECT_EQ(first,
              (std::vector<AccessibleEvent>{
                  {.kind = Kind::ChildAdded, .source = kApplicationId, .child = 1},
                  {.kind = Kind::WindowActivated, .source = 1, .state = State::Active, .on = true},
                  {.kind = Kind::StateChanged, .source = 2, .state = State::Focused, .on = true},
              }));

    display.states = {State::Showing};
    display.description.text.emplace("15");
    display.description.caret = 2;
    const AccessibleNode renamed{
        .id = 4,
        .parent = 1,
        .description = {.role = AccessibleRole::CheckBox, .name = "m", .description = "15"},
        .states = {State::Showing, State::Checked}};
    const std::vector<AccessibleEvent> second = tree.Update(
        {Node(1, kApplicationId, AccessibleRole::Frame), display, renamed,
         Node(10, kApplicationId, AccessibleRole::Alert, frameActive),
         Node(11, 10, AccessibleRole::Label), Node(12, 10, AccessibleRole::PushButton, focused)});
    EXPECT_EQ(second,
              (std::vector<AccessibleEvent>{
                  {.kind = Kind::ChildRemoved, .source = 1, .child = 3, .offset = 1},
                  {.kind = Kind::ChildAdded, .source = kApplicationId, .child = 10, .offset = 1},
                  {.kind = Kind::NameChanged, .source = 4},
                  {.kind = Kind::StateChanged, .source = 1, .state = State::Active, .on = false},
                  {.kind = Kind::StateChanged, .source = 4, .state = State::Checked, .on = true},
                  {.kind = Kind::TextRemoved, .source = 2, .offset = 1, .text = "2"},
                  {.kind = Kind::TextInserted, .source = 2, .offset = 1, .text = "5"},
                  {.kind = Kind::CaretMoved, .source = 2, .offset = 2},
                  {.kind = Kind::WindowDeactivated, .source = 1, .state = State::Active},
                  {.kind = Kind::WindowActivated, .source = 10, .state = State::Active, .on = true},
                  {.kind = Kind::StateChanged, .source = 2, .state = State::Focused, .on = false},
                  {.kind = Kind::StateChanged, .source = 12, .state = State::Focused, .on = true},
                  {.kind = Kind::DescriptionChanged, .source = 4},
              }));
    EXPECT_TRUE(tree.Update({Node(1, kApplicationId, AccessibleRole::Frame), display, renamed,
                             Node(10, kApplicationId, AccessibleRole::Alert, frameActive),
                             Node(11, 10, AccessibleRole::Label),
                             Node(12, 10, AccessibleRole::PushButton, focused)})
                    .empty());
}

}  // namespace
}  // namespace platform
