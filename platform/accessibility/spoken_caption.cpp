#include "platform/accessibility/spoken_caption.h"

#include <cctype>

namespace platform {

std::string SpokenCaption(std::string_view caption) {
    std::string spoken;
    for (size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&' && i + 1 < caption.size()) ++i;
        spoken += caption[i];
    }
    return spoken;
}

// The first "&" not doubled marks the key.
std::string AccessKeyBinding(std::string_view caption) {
    for (size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&') continue;
        if (caption[i + 1] == '&') {
            ++i;
            continue;
        }
        const auto key = static_cast<unsigned char>(caption[i + 1]);
        return "<Alt>" + std::string(1, static_cast<char>(std::tolower(key)));
    }
    return {};
}

}  // namespace platform
