#include "platform/text/fontconfig_library.h"

#include <dlfcn.h>

#include <optional>

namespace platform {
namespace {

std::optional<Fontconfig> Load() {
    void* library = dlopen("libfontconfig.so.1", RTLD_NOW | RTLD_LOCAL);
    if (!library) return std::nullopt;
    Fontconfig functions;
    bool all = true;
#define TAVIK_FONTCONFIG_FIND(name)                                              \
    functions.name = reinterpret_cast<decltype(&::name)>(dlsym(library, #name)); \
    all = all && functions.name;
    TAVIK_FONTCONFIG_FUNCTIONS(TAVIK_FONTCONFIG_FIND)
#undef TAVIK_FONTCONFIG_FIND
    if (all) return functions;
    dlclose(library);
    return std::nullopt;
}

}  // namespace

const Fontconfig* LoadFontconfig() {
    static const std::optional<Fontconfig> library = Load();
    return library ? &*library : nullptr;
}

}  // namespace platform
