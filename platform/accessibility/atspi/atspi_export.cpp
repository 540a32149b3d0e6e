#include "platform/accessibility/atspi/atspi_export.h"

#include <errno.h>

#include <charconv>
#include <cstdio>
#include <cstring>
#include <utility>

#include "platform/accessibility/atspi/atspi_names.h"
#include "platform/text/utf8.h"
#include "platform/ui/window_system.h"

namespace platform::atspi {
namespace {

constexpr const char* kRegistry = "org.a11y.atspi.Registry";
constexpr const char* kEventObject = "org.a11y.atspi.Event.Object";
constexpr const char* kEventWindow = "org.a11y.atspi.Event.Window";

}  // namespace

std::unique_ptr<AtspiExport> AtspiExport::Connect(WindowSystem& system, const std::string& address,
                                                  std::string applicationName,
                                                  std::function<void()> onLost) {
    sd_bus* raw = nullptr;
    if (!LoadSdBus() || Sd().sd_bus_new(&raw) < 0) return nullptr;
    BusPtr bus(raw);
    // The bus says when it is ready (our name known) by a local Connected signal, which is
    // where the application asks to be embedded: nothing waits for the bus meanwhile. Every
    // peer of the user's accessibility bus may read the tree, as every reader must: a trusted
    // connection checks no caller, where sd-bus would otherwise ask the bus for each caller's
    // credentials and wait for the answer inside every request, stalling the window behind a
    // burst of requests.
    if (Sd().sd_bus_set_address(bus.Get(), address.c_str()) < 0 ||
        Sd().sd_bus_set_bus_client(bus.Get(), 1) < 0 || Sd().sd_bus_set_trusted(bus.Get(), 1) < 0 ||
        Sd().sd_bus_set_connected_signal(bus.Get(), 1) < 0 || Sd().sd_bus_start(bus.Get()) < 0)
        return nullptr;
    std::unique_ptr<AtspiExport> exported(
        new AtspiExport(system, std::move(bus), std::move(onLost)));
    if (!exported->Export(std::move(applicationName))) return nullptr;
    return exported;
}

AtspiExport::AtspiExport(WindowSystem& system, BusPtr bus, std::function<void()> onLost)
    : system_(system),
      bus_(std::move(bus)),
      wait_(system.GetBackend().Events(), bus_.Get(), std::move(onLost)) {}

// The service goes first: it may not publish into a connection that is gone.
AtspiExport::~AtspiExport() {
    service_.reset();
}

bool AtspiExport::Export(std::string applicationName) {
    const auto add = [this](const AtspiInterface& interface) {
        sd_bus_slot* slot = nullptr;
        if (Sd().sd_bus_add_fallback_vtable(bus_.Get(), &slot, kObjectPrefix, interface.name,
                                            interface.vtable, interface.find, this) < 0)
            return false;
        slots_.emplace_back(slot);
        return true;
    };
    for (const AtspiInterface& interface :
         {AccessibleInterface(), ApplicationInterface(), ComponentInterface(), ActionInterface(),
          TextInterface()})
        if (!add(interface)) return false;
    sd_bus_slot* slot = nullptr;
    if (Sd().sd_bus_add_object_vtable(bus_.Get(), &slot, kCachePath, "org.a11y.atspi.Cache",
                                      CacheVtable(), this) < 0)
        return false;
    slots_.emplace_back(slot);
    const auto connected = [](sd_bus_message* message, void* userdata, sd_bus_error*) {
        if (Sd().sd_bus_message_is_signal(message, "org.freedesktop.DBus.Local", "Connected"))
            static_cast<AtspiExport*>(userdata)->OnConnected();
        return 0;
    };
    if (Sd().sd_bus_add_filter(bus_.Get(), &slot, connected, this) < 0) return false;
    slots_.emplace_back(slot);
    service_.emplace(system_, std::move(applicationName), *this);
    keys_.emplace(system_, bus_.Get());
    return true;
}

void AtspiExport::OnConnected() {
    // A registry that starts again knows no application: each asks to be embedded anew. Only
    // the bus itself says who owns a name. A registry that our own request started answers
    // that request, and one that has embedded us already lists us: neither is asked again.
    const auto registryOwner = [](sd_bus_message* message, void* userdata, sd_bus_error*) {
        auto& self = *static_cast<AtspiExport*>(userdata);
        const char* name = nullptr;
        const char* oldOwner = nullptr;
        const char* newOwner = nullptr;
        if (Sd().sd_bus_message_read(message, "sss", &name, &oldOwner, &newOwner) >= 0 &&
            *newOwner && !self.embedding_ && self.embeddedBy_ != newOwner)
            self.Embed();
        return 0;
    };
    const std::string match =
        std::string(
            "type='signal',sender='org.freedesktop.DBus',interface='org.freedesktop.DBus',"
            "member='NameOwnerChanged',arg0='") +
        kRegistry + "'";
    sd_bus_slot* slot = nullptr;
    if (Sd().sd_bus_add_match_async(bus_.Get(), &slot, match.c_str(), registryOwner, nullptr,
                                    this) >= 0)
        slots_.emplace_back(slot);
    Embed();
}

void AtspiExport::Embed() {
    const char* unique = nullptr;
    if (Sd().sd_bus_get_unique_name(bus_.Get(), &unique) < 0) return;
    uniqueName_ = unique;
    sd_bus_slot* slot = nullptr;
    if (Sd().sd_bus_call_method_async(bus_.Get(), &slot, kRegistry, kRootPath,
                                      "org.a11y.atspi.Socket", "Embed", &OnEmbedded, this, "(so)",
                                      unique, kRootPath) >= 0) {
        embedCall_.Reset(slot);
        embedding_ = true;
    }
}

int AtspiExport::OnEmbedded(sd_bus_message* reply, void* userdata, sd_bus_error*) {
    auto& self = *static_cast<AtspiExport*>(userdata);
    self.embedding_ = false;
    const char* name = nullptr;
    const char* path = nullptr;
    const char* registry = Sd().sd_bus_message_get_sender(reply);
    if (Sd().sd_bus_message_is_method_error(reply, nullptr) || !registry ||
        Sd().sd_bus_message_read(reply, "(so)", &name, &path) < 0)
        return 0;
    self.embeddedBy_ = registry;
    self.keys_->FollowListenersOf(self.embeddedBy_);
    self.desktopName_ = name;
    self.desktopPath_ = path;
    return 0;
}

std::optional<AccessibleId> AtspiExport::IdOfPath(const char* path) const {
    if (std::strcmp(path, kRootPath) == 0) return kApplicationId;
    const size_t prefix = std::strlen(kObjectPrefix);
    if (std::strncmp(path, kObjectPrefix, prefix) != 0 || path[prefix] != '/') return std::nullopt;
    const std::string_view digits(path + prefix + 1);
    AccessibleId id = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), id);
    if (error != std::errc() || end != digits.data() + digits.size() || digits.empty() ||
        digits.front() == '0' || !Tree().Find(id))
        return std::nullopt;
    return id;
}

const AccessibleNode& AtspiExport::NodeOf(sd_bus_message* request) const {
    return *Tree().Find(IdOfPath(Sd().sd_bus_message_get_path(request)).value());
}

std::string AtspiExport::PathOf(AccessibleId id) const {
    if (id == kApplicationId) return kRootPath;
    return std::string(kObjectPrefix) + "/" + std::to_string(id);
}

int AtspiExport::AppendReference(sd_bus_message* message, AccessibleId id) const {
    return Sd().sd_bus_message_append(message, "(so)", uniqueName_.c_str(), PathOf(id).c_str());
}

int AtspiExport::AppendParentReference(sd_bus_message* message, AccessibleId id) const {
    if (id != kApplicationId) return AppendReference(message, Tree().Find(id)->parent);
    if (desktopName_.empty()) return Sd().sd_bus_message_append(message, "(so)", "", kNullPath);
    return Sd().sd_bus_message_append(message, "(so)", desktopName_.c_str(), desktopPath_.c_str());
}

void AtspiExport::Publish(const AccessibleTree& tree, const AccessibleEvent& event) {
    const auto noValue = [](sd_bus_message* m) {
        return Sd().sd_bus_message_append(m, "v", "i", 0);
    };
    const auto text = [](const std::string& s) {
        return
            [&s](sd_bus_message* m) { return Sd().sd_bus_message_append(m, "v", "s", s.c_str()); };
    };
    const auto child = [&](sd_bus_message* m) {
        int r = Sd().sd_bus_message_open_container(m, 'v', "(so)");
        if (r >= 0) r = AppendReference(m, event.child);
        return r < 0 ? r : Sd().sd_bus_message_close_container(m);
    };
    const AccessibleNode* source = tree.Find(event.source);
    const std::string name = source ? source->description.name : std::string();
    const std::string description = source ? source->description.description : std::string();
    switch (event.kind) {
        case AccessibleEventKind::ChildAdded:
            Emit(event.source, kEventObject, "ChildrenChanged", "add", event.offset, 0, child);
            break;
        case AccessibleEventKind::ChildRemoved:
            Emit(event.source, kEventObject, "ChildrenChanged", "remove", event.offset, 0, child);
            break;
        case AccessibleEventKind::NameChanged:
            Emit(event.source, kEventObject, "PropertyChange", "accessible-name", 0, 0, text(name));
            break;
        case AccessibleEventKind::StateChanged:
            Emit(event.source, kEventObject, "StateChanged", StateName(event.state),
                 event.on ? 1 : 0, 0, noValue);
            break;
        case AccessibleEventKind::TextRemoved:
        case AccessibleEventKind::TextInserted:
            Emit(event.source, kEventObject, "TextChanged",
                 event.kind == AccessibleEventKind::TextInserted ? "insert" : "delete",
                 event.offset, CharacterCount(event.text), text(event.text));
            break;
        case AccessibleEventKind::CaretMoved:
            Emit(event.source, kEventObject, "TextCaretMoved", "", event.offset, 0, noValue);
            break;
        case AccessibleEventKind::WindowActivated:
            Emit(event.source, kEventWindow, "Activate", "", 0, 0, text(name));
            break;
        case AccessibleEventKind::WindowDeactivated:
            Emit(event.source, kEventWindow, "Deactivate", "", 0, 0, text(name));
            break;
        case AccessibleEventKind::DescriptionChanged:
            Emit(event.source, kEventObject, "PropertyChange", "accessible-description", 0, 0,
                 text(description));
            break;
    }
}

bool AtspiExport::TakesEvents() {
    uint64_t queued = 0;
    if (Sd().sd_bus_get_n_queued_write(bus_.Get(), &queued) < 0 || queued < kMaxQueuedMessages)
        return true;
    static bool said = false;
    if (!said) {
        said = true;
        std::fprintf(stderr,
                     "%s: the accessibility bus is not keeping up; screen readers will hear what "
                     "changed meanwhile as one change\n",
                     program_invocation_short_name);
    }
    return false;
}

void AtspiExport::Emit(AccessibleId source, const char* interface, const char* member,
                       const char* detail, int32_t detail1, int32_t detail2,
                       const std::function<int(sd_bus_message*)>& value) {
    sd_bus_message* raw = nullptr;
    if (Sd().sd_bus_message_new_signal(bus_.Get(), &raw, PathOf(source).c_str(), interface,
                                       member) < 0)
        return;
    const MessagePtr signal(raw);
    int r = Sd().sd_bus_message_append(raw, "sii", detail, detail1, detail2);
    if (r >= 0) r = value(raw);
    if (r >= 0) r = Sd().sd_bus_message_append(raw, "a{sv}", 0);
    if (r >= 0) Sd().sd_bus_send(bus_.Get(), raw, nullptr);
}

}  // namespace platform::atspi
