// The Accessible interface of every object, the Application interface of the root and the
// object cache.
#include <array>
#include <string>

#include "platform/accessibility/atspi/atspi_export.h"
#include "platform/accessibility/atspi/atspi_names.h"
#include "platform/version.h"

namespace platform::atspi {
namespace {

AtspiExport& Self(void* userdata) {
    return *static_cast<AtspiExport*>(userdata);
}

int FindAny(sd_bus*, const char* path, const char*, void* userdata, void** found, sd_bus_error*) {
    if (!Self(userdata).IdOfPath(path)) return 0;
    *found = userdata;
    return 1;
}

int FindRoot(sd_bus*, const char* path, const char*, void* userdata, void** found, sd_bus_error*) {
    if (Self(userdata).IdOfPath(path) != kApplicationId) return 0;
    *found = userdata;
    return 1;
}

const AccessibleNode& NodeAt(AtspiExport& self, const char* path) {
    return *self.Tree().Find(*self.IdOfPath(path));
}

int AppendStates(sd_bus_message* m, AccessibleStates states) {
    const std::array<uint32_t, 2> words = StateWords(states);
    return Sd().sd_bus_message_append(m, "au", 2, words[0], words[1]);
}

/// The interfaces an object has, as GetInterfaces and the cache list them.
int AppendInterfaces(sd_bus_message* m, const AccessibleNode& node) {
    int r = Sd().sd_bus_message_open_container(m, 'a', "s");
    if (r >= 0) r = Sd().sd_bus_message_append(m, "s", "org.a11y.atspi.Accessible");
    if (r >= 0 && node.id == kApplicationId)
        r = Sd().sd_bus_message_append(m, "s", "org.a11y.atspi.Application");
    if (r >= 0 && node.id != kApplicationId)
        r = Sd().sd_bus_message_append(m, "s", "org.a11y.atspi.Component");
    if (r >= 0 && !node.description.actions.empty())
        r = Sd().sd_bus_message_append(m, "s", "org.a11y.atspi.Action");
    if (r >= 0 && node.description.text)
        r = Sd().sd_bus_message_append(m, "s", "org.a11y.atspi.Text");
    return r < 0 ? r : Sd().sd_bus_message_close_container(m);
}

int ReplyWith(sd_bus_message* request, const std::function<int(sd_bus_message*)>& fill) {
    sd_bus_message* raw = nullptr;
    int r = Sd().sd_bus_message_new_method_return(request, &raw);
    if (r < 0) return r;
    const MessagePtr reply(raw);
    r = fill(raw);
    return r < 0 ? r : Sd().sd_bus_send(nullptr, raw, nullptr);
}

// ---- Accessible properties -----------------------------------------------------------------

int GetName(sd_bus*, const char* path, const char*, const char*, sd_bus_message* reply,
            void* userdata, sd_bus_error*) {
    return Sd().sd_bus_message_append(reply, "s",
                                      NodeAt(Self(userdata), path).description.name.c_str());
}

int GetDescription(sd_bus*, const char* path, const char*, const char*, sd_bus_message* reply,
                   void* userdata, sd_bus_error*) {
    return Sd().sd_bus_message_append(reply, "s",
                                      NodeAt(Self(userdata), path).description.description.c_str());
}

int GetParent(sd_bus*, const char* path, const char*, const char*, sd_bus_message* reply,
              void* userdata, sd_bus_error*) {
    return Self(userdata).AppendParentReference(reply, NodeAt(Self(userdata), path).id);
}

int GetChildCount(sd_bus*, const char* path, const char*, const char*, sd_bus_message* reply,
                  void* userdata, sd_bus_error*) {
    AtspiExport& self = Self(userdata);
    return Sd().sd_bus_message_append(
        reply, "i", static_cast<int32_t>(self.Tree().Children(NodeAt(self, path).id).size()));
}

int GetEmptyString(sd_bus*, const char*, const char*, const char*, sd_bus_message* reply, void*,
                   sd_bus_error*) {
    return Sd().sd_bus_message_append(reply, "s", "");
}

// ---- Accessible methods --------------------------------------------------------------------

int GetChildAtIndex(sd_bus_message* m, void* userdata, sd_bus_error* error) {
    AtspiExport& self = Self(userdata);
    int32_t index = 0;
    if (const int r = Sd().sd_bus_message_read(m, "i", &index); r < 0) return r;
    const std::span<const AccessibleId> children = self.Tree().Children(self.NodeOf(m).id);
    if (index < 0 || static_cast<size_t>(index) >= children.size())
        return Sd().sd_bus_error_set(error, SD_BUS_ERROR_INVALID_ARGS, "no child at that index");
    return ReplyWith(m, [&](sd_bus_message* r) {
        return self.AppendReference(r, children[static_cast<size_t>(index)]);
    });
}

int GetChildren(sd_bus_message* m, void* userdata, sd_bus_error*) {
    AtspiExport& self = Self(userdata);
    return ReplyWith(m, [&](sd_bus_message* reply) {
        int r = Sd().sd_bus_message_open_container(reply, 'a', "(so)");
        for (const AccessibleId child : self.Tree().Children(self.NodeOf(m).id))
            if (r >= 0) r = self.AppendReference(reply, child);
        return r < 0 ? r : Sd().sd_bus_message_close_container(reply);
    });
}

int GetIndexInParent(sd_bus_message* m, void* userdata, sd_bus_error*) {
    AtspiExport& self = Self(userdata);
    return Sd().sd_bus_reply_method_return(m, "i", self.Tree().IndexInParent(self.NodeOf(m).id));
}

int GetRelationSet(sd_bus_message* m, void* userdata, sd_bus_error*) {
    AtspiExport& self = Self(userdata);
    return ReplyWith(m, [&](sd_bus_message* reply) {
        int r = Sd().sd_bus_message_open_container(reply, 'a', "(ua(so))");
        for (const AccessibleRelation& relation : self.NodeOf(m).relations) {
            if (r >= 0) r = Sd().sd_bus_message_open_container(reply, 'r', "ua(so)");
            if (r >= 0) r = Sd().sd_bus_message_append(reply, "u", RelationNumber(relation.kind));
            if (r >= 0) r = Sd().sd_bus_message_open_container(reply, 'a', "(so)");
            if (r >= 0) r = self.AppendReference(reply, relation.target);
            if (r >= 0) r = Sd().sd_bus_message_close_container(reply);
            if (r >= 0) r = Sd().sd_bus_message_close_container(reply);
        }
        return r < 0 ? r : Sd().sd_bus_message_close_container(reply);
    });
}

int GetRole(sd_bus_message* m, void* userdata, sd_bus_error*) {
    return Sd().sd_bus_reply_method_return(m, "u",
                                           RoleNumber(Self(userdata).NodeOf(m).description.role));
}

int GetRoleName(sd_bus_message* m, void* userdata, sd_bus_error*) {
    return Sd().sd_bus_reply_method_return(m, "s",
                                           RoleName(Self(userdata).NodeOf(m).description.role));
}

int GetState(sd_bus_message* m, void* userdata, sd_bus_error*) {
    return ReplyWith(
        m, [&](sd_bus_message* r) { return AppendStates(r, Self(userdata).NodeOf(m).states); });
}

int GetAttributes(sd_bus_message* m, void*, sd_bus_error*) {
    return Sd().sd_bus_reply_method_return(m, "a{ss}", 0);
}

int GetApplication(sd_bus_message* m, void* userdata, sd_bus_error*) {
    return ReplyWith(
        m, [&](sd_bus_message* r) { return Self(userdata).AppendReference(r, kApplicationId); });
}

int GetInterfaces(sd_bus_message* m, void* userdata, sd_bus_error*) {
    return ReplyWith(
        m, [&](sd_bus_message* r) { return AppendInterfaces(r, Self(userdata).NodeOf(m)); });
}

const sd_bus_vtable kAccessible[] = {
    TAVIK_SD_BUS_VTABLE_START,
    SD_BUS_PROPERTY("Name", "s", GetName, 0, 0),
    SD_BUS_PROPERTY("Description", "s", GetDescription, 0, 0),
    SD_BUS_PROPERTY("Parent", "(so)", GetParent, 0, 0),
    SD_BUS_PROPERTY("ChildCount", "i", GetChildCount, 0, 0),
    SD_BUS_PROPERTY("Locale", "s", GetEmptyString, 0, 0),
    SD_BUS_PROPERTY("AccessibleId", "s", GetEmptyString, 0, 0),
    SD_BUS_METHOD("GetChildAtIndex", "i", "(so)", GetChildAtIndex, 0),
    SD_BUS_METHOD("GetChildren", "", "a(so)", GetChildren, 0),
    SD_BUS_METHOD("GetIndexInParent", "", "i", GetIndexInParent, 0),
    SD_BUS_METHOD("GetRelationSet", "", "a(ua(so))", GetRelationSet, 0),
    SD_BUS_METHOD("GetRole", "", "u", GetRole, 0),
    SD_BUS_METHOD("GetRoleName", "", "s", GetRoleName, 0),
    SD_BUS_METHOD("GetLocalizedRoleName", "", "s", GetRoleName, 0),
    SD_BUS_METHOD("GetState", "", "au", GetState, 0),
    SD_BUS_METHOD("GetAttributes", "", "a{ss}", GetAttributes, 0),
    SD_BUS_METHOD("GetApplication", "", "(so)", GetApplication, 0),
    SD_BUS_METHOD("GetInterfaces", "", "as", GetInterfaces, 0),
    SD_BUS_VTABLE_END,
};

// ---- Application ---------------------------------------------------------------------------

int GetToolkitName(sd_bus*, const char*, const char*, const char*, sd_bus_message* reply, void*,
                   sd_bus_error*) {
    return Sd().sd_bus_message_append(reply, "s", "tavik");
}

int GetVersion(sd_bus*, const char*, const char*, const char*, sd_bus_message* reply, void*,
               sd_bus_error*) {
    return Sd().sd_bus_message_append(reply, "s", std::string(kVersion).c_str());
}

int GetAtspiVersion(sd_bus*, const char*, const char*, const char*, sd_bus_message* reply, void*,
                    sd_bus_error*) {
    return Sd().sd_bus_message_append(reply, "s", "2.1");
}

int GetId(sd_bus*, const char*, const char*, const char*, sd_bus_message* reply, void* userdata,
          sd_bus_error*) {
    return Sd().sd_bus_message_append(reply, "i", Self(userdata).ApplicationId());
}

// The registry names the application by the number it sets here.
int SetId(sd_bus*, const char*, const char*, const char*, sd_bus_message* value, void* userdata,
          sd_bus_error*) {
    int32_t id = 0;
    if (const int r = Sd().sd_bus_message_read(value, "i", &id); r < 0) return r;
    Self(userdata).SetApplicationId(id);
    return 0;
}

int GetLocale(sd_bus_message* m, void*, sd_bus_error*) {
    uint32_t category = 0;
    if (const int r = Sd().sd_bus_message_read(m, "u", &category); r < 0) return r;
    return Sd().sd_bus_reply_method_return(m, "s", "");
}

const sd_bus_vtable kApplication[] = {
    TAVIK_SD_BUS_VTABLE_START,
    SD_BUS_PROPERTY("ToolkitName", "s", GetToolkitName, 0, 0),
    SD_BUS_PROPERTY("Version", "s", GetVersion, 0, 0),
    SD_BUS_PROPERTY("AtspiVersion", "s", GetAtspiVersion, 0, 0),
    SD_BUS_WRITABLE_PROPERTY("Id", "i", GetId, SetId, 0, 0),
    SD_BUS_METHOD("GetLocale", "u", "s", GetLocale, 0),
    SD_BUS_VTABLE_END,
};

// ---- Cache ---------------------------------------------------------------------------------

int GetItems(sd_bus_message* m, void* userdata, sd_bus_error*) {
    AtspiExport& self = Self(userdata);
    return ReplyWith(m, [&](sd_bus_message* reply) {
        int r = Sd().sd_bus_message_open_container(reply, 'a', "((so)(so)(so)iiassusau)");
        for (const AccessibleId id : self.Tree().All()) {
            const AccessibleNode& node = *self.Tree().Find(id);
            if (r >= 0) r = Sd().sd_bus_message_open_container(reply, 'r', "(so)(so)(so)iiassusau");
            if (r >= 0) r = self.AppendReference(reply, id);
            if (r >= 0) r = self.AppendReference(reply, kApplicationId);
            if (r >= 0) r = self.AppendParentReference(reply, id);
            if (r >= 0)
                r = Sd().sd_bus_message_append(
                    reply, "ii", self.Tree().IndexInParent(id),
                    static_cast<int32_t>(self.Tree().Children(id).size()));
            if (r >= 0) r = AppendInterfaces(reply, node);
            if (r >= 0)
                r = Sd().sd_bus_message_append(reply, "sus", node.description.name.c_str(),
                                               RoleNumber(node.description.role),
                                               node.description.description.c_str());
            if (r >= 0) r = AppendStates(reply, node.states);
            if (r >= 0) r = Sd().sd_bus_message_close_container(reply);
        }
        return r < 0 ? r : Sd().sd_bus_message_close_container(reply);
    });
}

const sd_bus_vtable kCache[] = {
    TAVIK_SD_BUS_VTABLE_START,
    SD_BUS_METHOD("GetItems", "", "a((so)(so)(so)iiassusau)", GetItems, 0),
    SD_BUS_VTABLE_END,
};

}  // namespace

AtspiInterface AccessibleInterface() {
    return {"org.a11y.atspi.Accessible", kAccessible, FindAny};
}

AtspiInterface ApplicationInterface() {
    return {"org.a11y.atspi.Application", kApplication, FindRoot};
}

const sd_bus_vtable* CacheVtable() {
    return kCache;
}

}  // namespace platform::atspi
