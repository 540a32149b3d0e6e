#include "platform/accessibility/window_tree.h"

#include <unordered_map>
#include <utility>

#include "platform/ui/window_system.h"

namespace platform {
namespace {

struct Reader {
    const WindowSystem& system;
    const Window* focus;
    const Window* active;
    DeviceScale desktopScale;
    std::vector<AccessibleNode> nodes;

    // The top-level window's corner lies on the screen at the desktop's scale; what is inside
    // it, at the window's own.
    Rect OnScreen(const Window& window, Rect client) const {
        const Window* top = window.TopLevel();
        if (!top) return {};
        const Point inTop = top->ScreenToClient(window.ClientToScreen({}));
        const Rect device = window.Scale().Map(client.Offset(inTop.x, inTop.y));
        return device.Offset(desktopScale.Edge(top->Bounds().left),
                             desktopScale.Edge(top->Bounds().top));
    }

    AccessibleStates WindowStates(const Window& window) const {
        AccessibleStates states{AccessibleState::Showing, AccessibleState::Visible};
        const bool enabled = window.IsEffectivelyEnabled();
        states.Set(AccessibleState::Enabled, enabled);
        states.Set(AccessibleState::Sensitive, enabled);
        states.Set(AccessibleState::Focusable, window.IsFocusable());
        states.Set(AccessibleState::Focused, &window == focus);
        states.Set(AccessibleState::Active, &window == active);
        return states;
    }

    void Add(const Window& window, AccessibleId parent) {
        if (!window.IsVisible()) return;
        AccessibleDescription description = window.Describe();
        AccessibleId own = parent;
        if (description.role != AccessibleRole::NoRole) {
            if (description.name.empty() && window.IsTopLevel()) description.name = window.Title();
            own = AccessibleIdOf({window.Handle(), -1});
            AccessibleNode node{.id = own, .parent = parent, .description = std::move(description)};
            node.states = WindowStates(window);
            node.states |= node.description.states;
            node.extents = OnScreen(window, {0, 0, window.ClientWidth(), window.ClientHeight()});
            nodes.push_back(std::move(node));
        }
        std::vector<AccessiblePart> parts = window.DescribeParts();
        for (int32_t i = 0; i < static_cast<int32_t>(parts.size()) && i < kMaxAccessibleParts;
             ++i) {
            AccessiblePart& part = parts[static_cast<size_t>(i)];
            if (!part.shown || part.description.role == AccessibleRole::NoRole) continue;
            AccessibleNode node{.id = AccessibleIdOf({window.Handle(), i}),
                                .parent = own,
                                .description = std::move(part.description)};
            node.states = {AccessibleState::Showing, AccessibleState::Visible};
            node.states.Set(AccessibleState::Enabled, window.IsEffectivelyEnabled());
            node.states.Set(AccessibleState::Sensitive, window.IsEffectivelyEnabled());
            node.states |= node.description.states;
            node.extents = OnScreen(window, part.bounds);
            nodes.push_back(std::move(node));
        }
        for (const Window* child : window.Children())
            Add(*child, own);
    }
};

// Gives each object described by another window that window's text (or name) as its
// description, unless it has one of its own, and records the relation both ways.
void LinkDescriptions(std::vector<AccessibleNode>& nodes) {
    std::unordered_map<AccessibleId, size_t> indexOf;
    for (size_t i = 0; i < nodes.size(); ++i)
        indexOf.emplace(nodes[i].id, i);
    for (AccessibleNode& node : nodes) {
        if (node.description.describedBy == 0) continue;
        const auto found = indexOf.find(AccessibleIdOf({node.description.describedBy, -1}));
        if (found == indexOf.end() || nodes[found->second].id == node.id) continue;
        AccessibleNode& target = nodes[found->second];
        if (node.description.description.empty())
            node.description.description =
                target.description.text.value_or(target.description.name);
        node.relations.push_back({AccessibleRelationKind::DescribedBy, target.id});
        target.relations.push_back({AccessibleRelationKind::DescriptionFor, node.id});
    }
}

}  // namespace

AccessibleId AccessibleIdOf(AccessibleOwner owner) {
    return (static_cast<AccessibleId>(owner.window) << 8) |
           static_cast<AccessibleId>(owner.part + 1);
}

AccessibleOwner OwnerOfAccessible(AccessibleId id) {
    return {static_cast<WindowHandle>(id >> 8), static_cast<int32_t>(id & 0xFF) - 1};
}

std::vector<AccessibleNode> ReadWindowTree(const WindowSystem& system) {
    Reader reader{system,
                  system.FocusWindow(),
                  system.ActiveTopLevel(),
                  system.GetBackend().Screen().Scale(),
                  {}};
    for (const Window* topLevel : system.TopLevels())
        reader.Add(*topLevel, kApplicationId);
    LinkDescriptions(reader.nodes);
    return std::move(reader.nodes);
}

}  // namespace platform
