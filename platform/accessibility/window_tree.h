#pragma once

#include <cstdint>
#include <vector>

#include "platform/accessibility/accessible_tree.h"
#include "platform/ui/window.h"

namespace platform {

class WindowSystem;

/// Who an accessible object is in the window tree: a window (part -1) or one of its windowless
/// parts.
struct AccessibleOwner {
    WindowHandle window = 0;
    int32_t part = -1;
};

/// A window keeps at most this many windowless parts accessible.
inline constexpr int32_t kMaxAccessibleParts = 255;

AccessibleId AccessibleIdOf(AccessibleOwner owner);
/// The owner an identifier names; window 0 for the application.
AccessibleOwner OwnerOfAccessible(AccessibleId id);

/// The accessible objects of the shown windows, as AccessibleTree::Update takes them: every
/// shown window that describes itself and every shown part of one, with the states the window
/// system keeps (showing and visible, enabled and sensitive, focusable, focused, the active
/// top-level window) added to its own, its extents in the screen's device pixels (the top-level
/// window's corner at the desktop's scale, the rest at the window's), and the text of the window
/// that describes it, when one does.
std::vector<AccessibleNode> ReadWindowTree(const WindowSystem& system);

}  // namespace platform
