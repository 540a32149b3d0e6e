#include "platform/os/xkbcommon_library.h"

#include <dlfcn.h>

#include <optional>

namespace platform {
namespace {

std::optional<XkbCommon> Load() {
    void* library = dlopen("libxkbcommon.so.0", RTLD_NOW | RTLD_LOCAL);
    if (!library) return std::nullopt;
    XkbCommon functions;
    bool all = true;
#define TAVIK_XKBCOMMON_FIND(name)                                               \
    functions.name = reinterpret_cast<decltype(&::name)>(dlsym(library, #name)); \
    all = all && functions.name;
    TAVIK_XKBCOMMON_FUNCTIONS(TAVIK_XKBCOMMON_FIND)
#undef TAVIK_XKBCOMMON_FIND
    if (all) return functions;
    dlclose(library);
    return std::nullopt;
}

}  // namespace

const XkbCommon* LoadXkbCommon() {
    static const std::optional<XkbCommon> library = Load();
    return library ? &*library : nullptr;
}

}  // namespace platform
