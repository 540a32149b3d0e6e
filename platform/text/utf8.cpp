#include "platform/text/utf8.h"

#include <cstdint>

namespace platform {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Length of the sequence a lead byte starts and the bits it contributes; 0 for a byte that
// cannot start a sequence.
int SequenceLength(uint8_t lead) {
    if (lead < 0x80) return 1;
    if (lead >= 0xC2 && lead <= 0xDF) return 2;
    if (lead >= 0xE0 && lead <= 0xEF) return 3;
    if (lead >= 0xF0 && lead <= 0xF4) return 4;
    return 0;
}

}  // namespace

std::vector<char32_t> DecodeUtf8(std::string_view utf8) {
    std::vector<char32_t> out;
    out.reserve(utf8.size());
    size_t i = 0;
    while (i < utf8.size()) {
        const auto lead = static_cast<uint8_t>(utf8[i]);
        const int length = SequenceLength(lead);
        if (length == 1) {
            out.push_back(lead);
            ++i;
            continue;
        }
        bool valid = length > 0 && i + static_cast<size_t>(length) <= utf8.size();
        char32_t cp = length == 2 ? lead & 0x1F : length == 3 ? lead & 0x0F : lead & 0x07;
        for (int k = 1; valid && k < length; ++k) {
            const auto next = static_cast<uint8_t>(utf8[i + static_cast<size_t>(k)]);
            valid = (next & 0xC0) == 0x80;
            cp = cp << 6 | (next & 0x3F);
        }
        const char32_t smallest = length == 2 ? 0x80 : length == 3 ? 0x800 : 0x10000;
        valid = valid && cp >= smallest && cp <= 0x10FFFF && !(cp >= 0xD800 && cp <= 0xDFFF);
        if (valid) {
            out.push_back(cp);
            i += static_cast<size_t>(length);
        } else {
            out.push_back(kReplacement);
            ++i;
        }
    }
    return out;
}

}  // namespace platform
