#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/accessibility/accessible_tree.h"

namespace platform {

class WindowSystem;

/// Where the accessible tree's events go (an exporter to the desktop's accessibility bus).
class AccessibleEventSink {
  public:
    virtual ~AccessibleEventSink() = default;

    /// `event` happened in `tree`, which stands as it is after the change.
    virtual void Publish(const AccessibleTree& tree, const AccessibleEvent& event) = 0;
    /// Whether events can go out now; false while the bus does not carry them away.
    virtual bool TakesEvents() = 0;
};

/// The program's accessible tree, kept up to date with the window tree while it exists: after
/// every dispatch of the window system it reads the windows again and tells the sink what
/// changed. While the sink takes no events the tree still follows the windows, so that requests
/// are answered from it, but the events wait as one net change from the tree readers last heard
/// of: however long the sink is stalled, what waits is bounded by the tree, and a reader then
/// hears each object's latest name, state and text once. Readers' requests to act (click,
/// focus) run later from the message loop, as input does, never from inside the request.
class AccessibilityService {
  public:
    AccessibilityService(WindowSystem& system, std::string applicationName,
                         AccessibleEventSink& sink);
    ~AccessibilityService();
    AccessibilityService(const AccessibilityService&) = delete;
    AccessibilityService& operator=(const AccessibilityService&) = delete;

    const AccessibleTree& Tree() const { return tree_; }
    /// Reads the window tree again now and publishes what changed.
    void Refresh();
    /// Asks for action `index` of object `id`; false, doing nothing, when it has no such action.
    bool DoAction(AccessibleId id, int32_t index);
    /// Asks for the focus to go to object `id`; false when it cannot take the focus.
    bool GrabFocus(AccessibleId id);

  private:
    WindowSystem& system_;
    AccessibleEventSink& sink_;
    AccessibleTree tree_;
    // The tree as readers last heard of it, kept only while the sink takes no events.
    std::optional<AccessibleTree> told_;
};

}  // namespace platform
