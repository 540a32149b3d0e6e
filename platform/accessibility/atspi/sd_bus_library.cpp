#include "platform/accessibility/atspi/sd_bus_library.h"

#include <dlfcn.h>

namespace platform::atspi {
namespace {

SdBus Load(bool& loaded) {
    SdBus functions;
    void* library = dlopen("libsystemd.so.0", RTLD_NOW | RTLD_LOCAL);
    if (!library) return functions;
    bool all = true;
#define TAVIK_SD_BUS_FIND(name)                                                  \
    functions.name = reinterpret_cast<decltype(&::name)>(dlsym(library, #name)); \
    all = all && functions.name;
    TAVIK_SD_BUS_FUNCTIONS(TAVIK_SD_BUS_FIND)
#undef TAVIK_SD_BUS_FIND
    loaded = all;
    return functions;
}

struct Loaded {
    bool ok = false;
    SdBus functions = Load(ok);
};

const Loaded& Library() {
    static const Loaded library;
    return library;
}

}  // namespace

const SdBus* LoadSdBus() {
    return Library().ok ? &Library().functions : nullptr;
}

const SdBus& Sd() {
    return Library().functions;
}

}  // namespace platform::atspi
