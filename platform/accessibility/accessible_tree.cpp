#include "platform/accessibility/accessible_tree.h"

#include <algorithm>
#include <utility>

#include "platform/accessibility/text_change.h"

namespace platform {
namespace {

bool IsWindowRole(AccessibleRole role) {
    return role == AccessibleRole::Frame || role == AccessibleRole::Window ||
           role == AccessibleRole::Alert;
}

/// The one object of `entries` that has `state`, or kApplicationId.
template <class Entries>
AccessibleId WithState(const Entries& entries, AccessibleState state) {
    for (const auto& [id, entry] : entries)
        if (id != kApplicationId && entry.node.states.Has(state)) return id;
    return kApplicationId;
}

}  // namespace

AccessibleTree::AccessibleTree(std::string applicationName) {
    Entry& root = entries_[kApplicationId];
    root.node.description.role = AccessibleRole::Application;
    root.node.description.name = std::move(applicationName);
}

std::vector<AccessibleEvent> AccessibleTree::Update(std::vector<AccessibleNode> nodes) {
    Entries next;
    next[kApplicationId] = {entries_.at(kApplicationId).node, {}};
    for (AccessibleNode& node : nodes) {
        const auto parent = next.find(node.parent);
        if (node.id == kApplicationId || parent == next.end() || next.contains(node.id)) continue;
        parent->second.children.push_back(node.id);
        const AccessibleId id = node.id;
        next[id] = {std::move(node), {}};
    }

    std::vector<AccessibleEvent> events;
    const auto indexIn = [](const Entries& entries, AccessibleId parent, AccessibleId child) {
        const std::vector<AccessibleId>& siblings = entries.at(parent).children;
        return static_cast<int32_t>(std::find(siblings.begin(), siblings.end(), child) -
                                    siblings.begin());
    };
    // Only the topmost object of a removed or added subtree is told: its children go with it.
    for (const AccessibleId id : All()) {
        const AccessibleId parent = entries_.at(id).node.parent;
        if (id == kApplicationId || next.contains(id) || !next.contains(parent)) continue;
        events.push_back({.kind = AccessibleEventKind::ChildRemoved,
                          .source = parent,
                          .child = id,
                          .offset = indexIn(entries_, parent, id)});
    }
    std::swap(entries_, next);
    Entries& before = next;
    for (const AccessibleId id : All()) {
        const AccessibleId parent = entries_.at(id).node.parent;
        if (id == kApplicationId || before.contains(id) || !before.contains(parent)) continue;
        events.push_back({.kind = AccessibleEventKind::ChildAdded,
                          .source = parent,
                          .child = id,
                          .offset = indexIn(entries_, parent, id)});
    }
    const std::vector<AccessibleId> kept = [&] {
        std::vector<AccessibleId> ids;
        for (const AccessibleId id : All())
            if (id != kApplicationId && before.contains(id)) ids.push_back(id);
        return ids;
    }();
    for (const AccessibleId id : kept) {
        const AccessibleNode& was = before.at(id).node;
        const AccessibleNode& is = entries_.at(id).node;
        if (was.description.name != is.description.name)
            events.push_back({.kind = AccessibleEventKind::NameChanged, .source = id});
    }
    for (const AccessibleId id : kept)
        CompareStates(before.at(id).node, entries_.at(id).node, events);
    for (const AccessibleId id : kept) {
        const std::string& was = before.at(id).node.description.text.value_or("");
        const std::string& is = entries_.at(id).node.description.text.value_or("");
        if (was == is) continue;
        TextChange change = DiffText(was, is);
        if (!change.removed.empty())
            events.push_back({.kind = AccessibleEventKind::TextRemoved,
                              .source = id,
                              .offset = change.offset,
                              .text = std::move(change.removed)});
        if (!change.inserted.empty())
            events.push_back({.kind = AccessibleEventKind::TextInserted,
                              .source = id,
                              .offset = change.offset,
                              .text = std::move(change.inserted)});
    }
    for (const AccessibleId id : kept) {
        const AccessibleDescription& is = entries_.at(id).node.description;
        if (is.text && before.at(id).node.description.caret != is.caret)
            events.push_back(
                {.kind = AccessibleEventKind::CaretMoved, .source = id, .offset = is.caret});
    }

    // The active window and the focus move last: a reader speaks the new window, then the
    // object focused in it.
    const auto moved = [&](AccessibleState state, AccessibleEventKind off, AccessibleEventKind on) {
        const AccessibleId was = WithState(before, state);
        const AccessibleId is = WithState(entries_, state);
        if (was == is) return;
        if (was != kApplicationId && entries_.contains(was))
            events.push_back({.kind = off, .source = was, .state = state, .on = false});
        if (is != kApplicationId)
            events.push_back({.kind = on, .source = is, .state = state, .on = true});
    };
    const auto activeWindow = [](const Entries& entries) {
        for (const auto& [id, entry] : entries)
            if (IsWindowRole(entry.node.description.role) &&
                entry.node.states.Has(AccessibleState::Active))
                return id;
        return kApplicationId;
    };
    if (activeWindow(before) != activeWindow(entries_))
        moved(AccessibleState::Active, AccessibleEventKind::WindowDeactivated,
              AccessibleEventKind::WindowActivated);
    moved(AccessibleState::Focused, AccessibleEventKind::StateChanged,
          AccessibleEventKind::StateChanged);
    for (const AccessibleId id : kept)
        if (before.at(id).node.description.description !=
            entries_.at(id).node.description.description)
            events.push_back({.kind = AccessibleEventKind::DescriptionChanged, .source = id});
    return events;
}

// Every state but the focus, which moves last (Update).
void AccessibleTree::CompareStates(const AccessibleNode& before, const AccessibleNode& after,
                                   std::vector<AccessibleEvent>& events) {
    for (int i = 0; i < kAccessibleStateCount; ++i) {
        const auto state = static_cast<AccessibleState>(i);
        if (state == AccessibleState::Focused) continue;
        const bool on = after.states.Has(state);
        if (before.states.Has(state) == on) continue;
        events.push_back({.kind = AccessibleEventKind::StateChanged,
                          .source = after.id,
                          .state = state,
                          .on = on});
    }
}

const AccessibleNode* AccessibleTree::Find(AccessibleId id) const {
    const auto it = entries_.find(id);
    return it == entries_.end() ? nullptr : &it->second.node;
}

std::span<const AccessibleId> AccessibleTree::Children(AccessibleId id) const {
    const auto it = entries_.find(id);
    if (it == entries_.end()) return {};
    return it->second.children;
}

int32_t AccessibleTree::IndexInParent(AccessibleId id) const {
    const AccessibleNode* node = Find(id);
    if (!node || id == kApplicationId) return -1;
    const std::span<const AccessibleId> siblings = Children(node->parent);
    return static_cast<int32_t>(std::find(siblings.begin(), siblings.end(), id) - siblings.begin());
}

const AccessibleNode* AccessibleTree::At(Point screen, AccessibleId within) const {
    const std::span<const AccessibleId> children = Children(within);
    for (auto it = children.rbegin(); it != children.rend(); ++it) {
        const AccessibleNode& child = *Find(*it);
        if (!child.states.Has(AccessibleState::Showing) || !child.extents.Contains(screen))
            continue;
        const AccessibleNode* deeper = At(screen, child.id);
        return deeper ? deeper : &child;
    }
    return nullptr;
}

std::vector<AccessibleId> AccessibleTree::All() const {
    std::vector<AccessibleId> ids;
    Walk(kApplicationId, ids);
    return ids;
}

void AccessibleTree::Walk(AccessibleId id, std::vector<AccessibleId>& into) const {
    into.push_back(id);
    for (const AccessibleId child : entries_.at(id).children)
        Walk(child, into);
}

}  // namespace platform
