#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/accessibility/accessibility_service.h"
#include "platform/accessibility/atspi/atspi_keys.h"
#include "platform/accessibility/atspi/bus_handles.h"
#include "platform/accessibility/atspi/bus_wait.h"

namespace platform {
class WindowSystem;
}

namespace platform::atspi {

/// The program's accessible tree on the accessibility bus, as AT-SPI2 has it: each object at
/// /org/a11y/atspi/accessible/N (the application at .../root) with the interfaces that fit it
/// (Accessible; Application for the root; Component for objects on the screen; Action for those
/// that act; Text for those with text), the object cache at /org/a11y/atspi/cache, the tree's
/// events as the Event.Object, Event.Window signals, and the application embedded in the
/// registry's desktop. A request for an object that is not there gets an error reply.
class AtspiExport final : public AccessibleEventSink {
  public:
    /// Loads sd-bus, connects to the accessibility bus at `address` and exports the tree; null
    /// when libsystemd is missing or the address is refused. `onLost` runs when the connection is
    /// gone; it may destroy this object.
    static std::unique_ptr<AtspiExport> Connect(WindowSystem& system, const std::string& address,
                                                std::string applicationName,
                                                std::function<void()> onLost);
    ~AtspiExport() override;
    AtspiExport(const AtspiExport&) = delete;
    AtspiExport& operator=(const AtspiExport&) = delete;

    void Publish(const AccessibleTree& tree, const AccessibleEvent& event) override;
    /// True while fewer than kMaxQueuedMessages wait to be written to the bus. The first time
    /// it is not, the program says so once on its standard error.
    bool TakesEvents() override;

    /// The messages that may wait for a bus that does not read them before events are held
    /// back: a few batches of events, some 100 kB.
    static constexpr uint64_t kMaxQueuedMessages = 256;

    // For the interfaces' handlers.
    AccessibilityService& Service() { return *service_; }
    const AccessibleTree& Tree() const { return service_->Tree(); }
    /// The object a path names, or nullopt for one that is not in the tree.
    std::optional<AccessibleId> IdOfPath(const char* path) const;
    /// The object of a request's path, known to be in the tree (the interfaces' lookups found it).
    const AccessibleNode& NodeOf(sd_bus_message* request) const;
    std::string PathOf(AccessibleId id) const;
    /// Appends an object's reference, "(so)": this connection's name and the object's path.
    int AppendReference(sd_bus_message* message, AccessibleId id) const;
    /// Appends the reference of the application's parent: the registry's desktop once embedded.
    int AppendParentReference(sd_bus_message* message, AccessibleId id) const;
    int32_t ApplicationId() const { return applicationId_; }
    void SetApplicationId(int32_t id) { applicationId_ = id; }

  private:
    AtspiExport(WindowSystem& system, BusPtr bus, std::function<void()> onLost);

    bool Export(std::string applicationName);
    void OnConnected();
    void Embed();
    static int OnEmbedded(sd_bus_message* reply, void* userdata, sd_bus_error* error);
    void Emit(AccessibleId source, const char* interface, const char* member, const char* detail,
              int32_t detail1, int32_t detail2, const std::function<int(sd_bus_message*)>& value);

    WindowSystem& system_;
    BusPtr bus_;
    BusWait wait_;
    std::string uniqueName_;
    std::vector<SlotPtr> slots_;
    SlotPtr embedCall_;
    bool embedding_ = false;  // an Embed request waits for its answer
    std::string embeddedBy_;  // the registry connection that embedded the application
    std::string desktopName_;
    std::string desktopPath_;
    int32_t applicationId_ = 0;
    std::optional<AccessibilityService> service_;
    std::optional<AtspiKeys> keys_;
};

/// The interfaces' method tables and the lookups that say which objects have them.
struct AtspiInterface {
    const char* name;
    const sd_bus_vtable* vtable;
    sd_bus_object_find_t find;
};
AtspiInterface AccessibleInterface();
AtspiInterface ApplicationInterface();
AtspiInterface ComponentInterface();
AtspiInterface ActionInterface();
AtspiInterface TextInterface();
/// The object cache, at its own path.
const sd_bus_vtable* CacheVtable();

/// The path of the object that stands for "no object".
inline constexpr const char* kNullPath = "/org/a11y/atspi/null";
inline constexpr const char* kRootPath = "/org/a11y/atspi/accessible/root";
inline constexpr const char* kObjectPrefix = "/org/a11y/atspi/accessible";
inline constexpr const char* kCachePath = "/org/a11y/atspi/cache";

}  // namespace platform::atspi
