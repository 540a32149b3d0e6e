#include "platform/os/xkbcommon_library.h"

#include "platform/os/shared_library.h"

namespace platform {

const XkbCommon* LoadXkbCommon() {
    static const std::optional<XkbCommon> library = LoadEntryPoints<XkbCommon>(
        "libxkbcommon.so.0", [](const LibraryEntries& entries, XkbCommon& functions) {
#define TAVIK_XKBCOMMON_FIND(name) entries.Find(functions.name, #name)&&
            return TAVIK_XKBCOMMON_FUNCTIONS(TAVIK_XKBCOMMON_FIND) true;
#undef TAVIK_XKBCOMMON_FIND
        });
    return library ? &*library : nullptr;
}

}  // namespace platform
