#include "forms/control_registry.h"

#include <utility>

#include "forms/units.h"

namespace forms {

void ControlRegistry::Register(std::string classId, Factory factory) {
    factories_.insert_or_assign(std::move(classId), std::move(factory));
}

bool ControlRegistry::Contains(std::string_view classId) const {
    return factories_.find(classId) != factories_.end();
}

std::unique_ptr<ControlSite> ControlRegistry::CreateSite(platform::Window& parent,
                                                         const ControlDesign& design,
                                                         AmbientProperties ambient,
                                                         const ResourceTable& resources) const {
    const auto it = factories_.find(design.classId);
    if (it == factories_.end())
        throw UnknownControlClass("no control class \"" + design.classId + "\"");

    ambient.displayName = design.name;
    if (design.index) {
        ambient.displayName += '(';
        ambient.displayName += std::to_string(*design.index);
        ambient.displayName += ')';
    }
    const platform::Rect bounds = TwipsRect(design.left, design.top, design.width, design.height);
    auto site =
        std::make_unique<ControlSite>(parent, bounds, it->second(), std::move(ambient), resources);
    site->SetIndex(design.index);
    site->SiteWindow().SetTabIndex(design.tabIndex);
    if (design.bag) {
        site->Load(*design.bag);
    } else {
        site->InitNew();
    }
    return site;
}

}  // namespace forms
