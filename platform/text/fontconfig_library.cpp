#include "platform/text/fontconfig_library.h"

#include "platform/os/shared_library.h"

namespace platform {

const Fontconfig* LoadFontconfig() {
    static const std::optional<Fontconfig> library = LoadEntryPoints<Fontconfig>(
        "libfontconfig.so.1", [](const LibraryEntries& entries, Fontconfig& functions) {
#define TAVIK_FONTCONFIG_FIND(name) entries.Find(functions.name, #name)&&
            return TAVIK_FONTCONFIG_FUNCTIONS(TAVIK_FONTCONFIG_FIND) true;
#undef TAVIK_FONTCONFIG_FIND
        });
    return library ? &*library : nullptr;
}

}  // namespace platform
