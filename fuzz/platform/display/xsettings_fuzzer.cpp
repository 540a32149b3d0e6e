// XSETTINGS property parser on arbitrary bytes: it must refuse them or return settings that the
// bytes could hold, each taking at least 12 bytes besides its name and text.
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>
#include <variant>

#include "platform/display/xsettings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto settings = platform::ParseXSettings(std::span(data, size));
    if (!settings) return 0;
    size_t least = 12;
    for (const auto& [name, value] : *settings) {
        least += 12 + name.size();
        if (const auto* text = std::get_if<std::string>(&value)) least += text->size();
    }
    if (least > size) std::abort();
    return 0;
}
