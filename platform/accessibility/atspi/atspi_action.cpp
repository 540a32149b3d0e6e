// The Action interface of objects that act (push buttons, check boxes). An action asked for
// runs later from the message loop; the reply says only that it was accepted.
#include <optional>

#include "platform/accessibility/atspi/atspi_export.h"

namespace platform::atspi {
namespace {

AtspiExport& Self(void* userdata) {
    return *static_cast<AtspiExport*>(userdata);
}

int FindActing(sd_bus*, const char* path, const char*, void* userdata, void** found,
               sd_bus_error*) {
    AtspiExport& self = Self(userdata);
    const std::optional<AccessibleId> id = self.IdOfPath(path);
    if (!id || self.Tree().Find(*id)->description.actions.empty()) return 0;
    *found = userdata;
    return 1;
}

/// Reads the action's index; null, with the error set, for one the object does not have.
const std::string* ReadAction(sd_bus_message* m, AtspiExport& self, sd_bus_error* error,
                              int32_t& index, int& result) {
    result = Sd().sd_bus_message_read(m, "i", &index);
    if (result < 0) return nullptr;
    const std::vector<std::string>& actions = self.NodeOf(m).description.actions;
    if (index < 0 || static_cast<size_t>(index) >= actions.size()) {
        result = Sd().sd_bus_error_set(error, SD_BUS_ERROR_INVALID_ARGS, "no action at that index");
        return nullptr;
    }
    return &actions[static_cast<size_t>(index)];
}

int GetNActions(sd_bus*, const char* path, const char*, const char*, sd_bus_message* reply,
                void* userdata, sd_bus_error*) {
    AtspiExport& self = Self(userdata);
    const AccessibleNode& node = *self.Tree().Find(*self.IdOfPath(path));
    return Sd().sd_bus_message_append(reply, "i",
                                      static_cast<int32_t>(node.description.actions.size()));
}

int GetName(sd_bus_message* m, void* userdata, sd_bus_error* error) {
    int32_t index = 0;
    int result = 0;
    const std::string* action = ReadAction(m, Self(userdata), error, index, result);
    return action ? Sd().sd_bus_reply_method_return(m, "s", action->c_str()) : result;
}

int GetDescription(sd_bus_message* m, void* userdata, sd_bus_error* error) {
    int32_t index = 0;
    int result = 0;
    const std::string* action = ReadAction(m, Self(userdata), error, index, result);
    return action ? Sd().sd_bus_reply_method_return(m, "s", "") : result;
}

// The key binding belongs to the first action, the one the key does.
int GetKeyBinding(sd_bus_message* m, void* userdata, sd_bus_error* error) {
    AtspiExport& self = Self(userdata);
    int32_t index = 0;
    int result = 0;
    if (!ReadAction(m, self, error, index, result)) return result;
    const std::string& binding = self.NodeOf(m).description.keyBinding;
    return Sd().sd_bus_reply_method_return(m, "s", index == 0 ? binding.c_str() : "");
}

int GetActions(sd_bus_message* m, void* userdata, sd_bus_error*) {
    const AccessibleDescription& description = Self(userdata).NodeOf(m).description;
    sd_bus_message* raw = nullptr;
    if (const int r = Sd().sd_bus_message_new_method_return(m, &raw); r < 0) return r;
    const MessagePtr reply(raw);
    int r = Sd().sd_bus_message_open_container(raw, 'a', "(sss)");
    for (size_t i = 0; i < description.actions.size() && r >= 0; ++i)
        r = Sd().sd_bus_message_append(raw, "(sss)", description.actions[i].c_str(), "",
                                       i == 0 ? description.keyBinding.c_str() : "");
    if (r >= 0) r = Sd().sd_bus_message_close_container(raw);
    return r < 0 ? r : Sd().sd_bus_send(nullptr, raw, nullptr);
}

int DoAction(sd_bus_message* m, void* userdata, sd_bus_error* error) {
    AtspiExport& self = Self(userdata);
    int32_t index = 0;
    int result = 0;
    if (!ReadAction(m, self, error, index, result)) return result;
    return Sd().sd_bus_reply_method_return(
        m, "b", self.Service().DoAction(self.NodeOf(m).id, index) ? 1 : 0);
}

const sd_bus_vtable kAction[] = {
    TAVIK_SD_BUS_VTABLE_START,
    SD_BUS_PROPERTY("NActions", "i", GetNActions, 0, 0),
    SD_BUS_METHOD("GetDescription", "i", "s", GetDescription, 0),
    SD_BUS_METHOD("GetName", "i", "s", GetName, 0),
    SD_BUS_METHOD("GetLocalizedName", "i", "s", GetName, 0),
    SD_BUS_METHOD("GetKeyBinding", "i", "s", GetKeyBinding, 0),
    SD_BUS_METHOD("GetActions", "", "a(sss)", GetActions, 0),
    SD_BUS_METHOD("DoAction", "i", "b", DoAction, 0),
    SD_BUS_VTABLE_END,
};

}  // namespace

AtspiInterface ActionInterface() {
    return {"org.a11y.atspi.Action", kAction, FindActing};
}

}  // namespace platform::atspi
