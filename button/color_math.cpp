#include "button/color_math.h"

#include <algorithm>

#include "platform/objects/ole_color.h"

namespace button {

Color OffsetColor(Color colour, int32_t amount, Shift shift, bool softBevel) {
    if (softBevel) amount /= 2;
    const auto red = static_cast<int32_t>(platform::Red(colour));
    const auto green = static_cast<int32_t>(platform::Green(colour));
    const auto blue = static_cast<int32_t>(platform::Blue(colour));
    int32_t channels[3] = {
        red + amount, green + amount,
        shift == Shift::BlueInProportion ? blue + blue * amount / 192 : blue + amount};
    for (int32_t& c : channels) {
        if (amount > 0) c = std::min(c, 255);
        if (amount < 0) c = std::max(c, 0);
    }
    return platform::Rgb(static_cast<uint32_t>(channels[0]), static_cast<uint32_t>(channels[1]),
                         static_cast<uint32_t>(channels[2]));
}

Color LightenColor(Color colour, int32_t level) {
    const int64_t e = 255 - int64_t{level};
    auto lighten = [&](uint32_t channel) {
        return std::min<int64_t>(level + e * channel / 255, 255);
    };
    const int64_t value = lighten(platform::Blue(colour)) * 65536 +
                          lighten(platform::Green(colour)) * 256 + lighten(platform::Red(colour));
    return static_cast<Color>(value);
}

Color ResolveColor(OleColor colour) {
    return platform::TranslateOleColor(colour);
}

}  // namespace button
