#include "platform/accessibility/accessibility_service.h"

#include <utility>

#include "platform/accessibility/window_tree.h"
#include "platform/ui/window_system.h"

namespace platform {

AccessibilityService::AccessibilityService(WindowSystem& system, std::string applicationName,
                                           AccessibleEventSink& sink)
    : system_(system), sink_(sink), tree_(std::move(applicationName)) {
    tree_.Update(ReadWindowTree(system_));
    system_.SetDispatchObserver([this] { Refresh(); });
}

AccessibilityService::~AccessibilityService() {
    system_.SetDispatchObserver({});
}

void AccessibilityService::Refresh() {
    std::vector<AccessibleNode> nodes = ReadWindowTree(system_);
    if (!sink_.TakesEvents()) {
        if (!told_) told_ = tree_;
        tree_.Update(std::move(nodes));
        return;
    }
    std::vector<AccessibleEvent> events;
    if (told_) {
        events = told_->Update(std::move(nodes));
        tree_ = *std::move(told_);
        told_.reset();
    } else {
        events = tree_.Update(std::move(nodes));
    }
    for (const AccessibleEvent& event : events)
        sink_.Publish(tree_, event);
}

bool AccessibilityService::DoAction(AccessibleId id, int32_t index) {
    const AccessibleNode* node = tree_.Find(id);
    if (!node || index < 0 || index >= static_cast<int32_t>(node->description.actions.size()))
        return false;
    const AccessibleOwner owner = OwnerOfAccessible(id);
    std::string action = node->description.actions[static_cast<size_t>(index)];
    WindowSystem& system = system_;
    system_.Post([&system, owner, action = std::move(action)] {
        if (Window* window = system.Find(owner.window))
            window->OnAccessibleAction(owner.part, action);
    });
    return true;
}

bool AccessibilityService::GrabFocus(AccessibleId id) {
    const AccessibleNode* node = tree_.Find(id);
    if (!node || !node->states.Has(AccessibleState::Focusable)) return false;
    const AccessibleOwner owner = OwnerOfAccessible(id);
    WindowSystem& system = system_;
    system_.Post([&system, owner] {
        if (Window* window = system.Find(owner.window)) system.SetFocus(window);
    });
    return true;
}

}  // namespace platform
