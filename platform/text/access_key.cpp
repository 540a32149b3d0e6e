#include "platform/text/access_key.h"

#include "platform/text/utf8.h"

namespace platform {

std::string AccessKeyOf(std::string_view caption) {
    size_t marked = caption.size();
    WalkAccessKeyMarks(caption, [&](size_t i, bool isMarked) {
        if (isMarked && marked == caption.size()) marked = i;
    });
    if (marked == caption.size()) return {};
    const Utf8Sequence character = NextUtf8Sequence(caption, marked);
    if (!character.wellFormed) return {};
    std::string key(caption.substr(marked, character.length));
    if (key[0] >= 'A' && key[0] <= 'Z') key[0] = static_cast<char>(key[0] - 'A' + 'a');
    return key;
}

std::string AccessKeyBinding(std::string_view caption) {
    const std::string key = AccessKeyOf(caption);
    return key.empty() ? std::string() : "<Alt>" + key;
}

std::string SpokenCaption(std::string_view caption) {
    std::string spoken;
    WalkAccessKeyMarks(caption, [&](size_t i, bool) { spoken += caption[i]; });
    return spoken;
}

}  // namespace platform
