#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/gfx/geometry.h"
#include "platform/ui/accessible.h"

namespace platform {

/// An accessible object's name in the tree; kApplicationId is the application at its root.
/// Identifiers are never reused while the program runs.
using AccessibleId = uint64_t;
inline constexpr AccessibleId kApplicationId = 0;

/// How one accessible object stands to another.
enum class AccessibleRelationKind : uint8_t {
    DescribedBy,     // the target's text is this object's description
    DescriptionFor,  // this object's text is the target's description
};

struct AccessibleRelation {
    AccessibleRelationKind kind;
    AccessibleId target;

    friend bool operator==(const AccessibleRelation&, const AccessibleRelation&) = default;
};

/// One accessible object as the tree holds it: its description, every state it is in, its
/// extents on the screen (in the screen's own pixels) and its relations to other objects.
struct AccessibleNode {
    AccessibleId id = 0;
    AccessibleId parent = kApplicationId;
    AccessibleDescription description = {};
    AccessibleStates states = {};
    Rect extents = {};
    std::vector<AccessibleRelation> relations = {};
};

/// What changed in the tree, as a screen reader hears of it.
enum class AccessibleEventKind {
    ChildAdded,    // `child` added to `source` at `offset`
    ChildRemoved,  // `child` removed from `source`, where it was at `offset`
    NameChanged,
    StateChanged,  // `state` is now `on`
    TextRemoved,   // `text` removed at character `offset`
    TextInserted,  // `text` inserted at character `offset`
    CaretMoved,    // the caret is now at character `offset`
    WindowDeactivated,
    WindowActivated,
    DescriptionChanged,
};

struct AccessibleEvent {
    AccessibleEventKind kind;
    AccessibleId source = kApplicationId;
    AccessibleId child = kApplicationId;
    int32_t offset = 0;
    AccessibleState state = AccessibleState::Active;
    bool on = false;
    std::string text = {};

    friend bool operator==(const AccessibleEvent&, const AccessibleEvent&) = default;
};

/// The program's accessible objects: the application at the root and, below it, the objects the
/// window tree says it holds. Update replaces them all at once and tells what changed, in the
/// order a reader wants it: objects removed, objects added, names, states, texts and carets, then
/// windows deactivated and activated, the focus leaving one object and reaching another, and last
/// the descriptions that changed, so that a reader that has just reached an object hears its new
/// description.
class AccessibleTree {
  public:
    explicit AccessibleTree(std::string applicationName);

    /// Replaces every object below the application with `nodes`, each listed after its parent
    /// and siblings in their order. A node whose parent is not listed is left out, with its own
    /// children. Returns the events that carry the change.
    std::vector<AccessibleEvent> Update(std::vector<AccessibleNode> nodes);

    /// The object with this identifier, or null.
    const AccessibleNode* Find(AccessibleId id) const;
    /// The children of an object, in order; none for an unknown one.
    std::span<const AccessibleId> Children(AccessibleId id) const;
    /// Where an object is among its parent's children; -1 for the application or an unknown one.
    int32_t IndexInParent(AccessibleId id) const;
    /// The deepest showing object below `within` whose extents hold `screen`, searched from the
    /// last (topmost) child down; null when there is none.
    const AccessibleNode* At(Point screen, AccessibleId within = kApplicationId) const;
    /// Every object, the application first, each before its children.
    std::vector<AccessibleId> All() const;

  private:
    struct Entry {
        AccessibleNode node;
        std::vector<AccessibleId> children;
    };
    using Entries = std::unordered_map<AccessibleId, Entry>;

    static void CompareStates(const AccessibleNode& before, const AccessibleNode& after,
                              std::vector<AccessibleEvent>& events);
    void Walk(AccessibleId id, std::vector<AccessibleId>& into) const;

    Entries entries_;
};

}  // namespace platform
