#pragma once

#include "forms/container/ambient.h"
#include "forms/container/events.h"
#include "forms/container/messages.h"
#include "forms/container/parent.h"
#include "forms/container/placement.h"
#include "forms/container/pointer.h"
#include "forms/container/properties.h"
#include "forms/container/surface.h"
#include "forms/container/timer.h"
#include "forms/container/window.h"

namespace forms {

/// The services a hosted control may ask of its container, and all it knows of it: one
/// interface per role, each of which may be served by an object of its own. The host hands
/// them to the control's OnCreate, every one set; they stay valid until OnDestroy returns.
struct ControlContainer {
    ControlWindow* window = nullptr;
    ControlSurface* surface = nullptr;
    ControlPointer* pointer = nullptr;
    ControlParent* parent = nullptr;
    ControlPlacement* placement = nullptr;
    StoredProperties* properties = nullptr;
    HostEvents* events = nullptr;
    ChildTimer* timer = nullptr;
    HostAmbient* ambient = nullptr;
    MessageQueue* messages = nullptr;
};

}  // namespace forms
