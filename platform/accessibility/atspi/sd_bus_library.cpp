#include "platform/accessibility/atspi/sd_bus_library.h"

#include "platform/os/shared_library.h"

namespace platform::atspi {
namespace {

const std::optional<SdBus>& Library() {
    static const std::optional<SdBus> library = LoadEntryPoints<SdBus>(
        "libsystemd.so.0", [](const LibraryEntries& entries, SdBus& functions) {
#define TAVIK_SD_BUS_FIND(name) entries.Find(functions.name, #name)&&
            return TAVIK_SD_BUS_FUNCTIONS(TAVIK_SD_BUS_FIND) true;
#undef TAVIK_SD_BUS_FIND
        });
    return library;
}

}  // namespace

const SdBus* LoadSdBus() {
    return Library() ? &*Library() : nullptr;
}

const SdBus& Sd() {
    return *Library();
}

}  // namespace platform::atspi
