#include "tools/artwork/svg_writer.h"

#include <charconv>

namespace artwork {
namespace {

std::string Number(double value) {
    char text[32];
    return {text, std::to_chars(text, text + sizeof text, value).ptr};
}

// A 0x00BBGGRR colour as #rrggbb.
std::string HexColour(uint32_t colour) {
    constexpr char kDigits[] = "0123456789abcdef";
    std::string hex = "#";
    for (int shift : {0, 8, 16}) {
        hex += kDigits[colour >> (shift + 4) & 0xF];
        hex += kDigits[colour >> shift & 0xF];
    }
    return hex;
}

std::string Attribute(const char* name, const std::string& value) {
    return std::string(" ") + name + "=\"" + value + "\"";
}

std::string LinearGradient(const RoundBox& box, const std::string& id) {
    return "<linearGradient" + Attribute("id", id) + Attribute("gradientUnits", "userSpaceOnUse") +
           Attribute("x1", "0") + Attribute("y1", Number(box.box.top + 0.5)) +
           Attribute("x2", "0") + Attribute("y2", Number(box.box.bottom - 0.5)) + ">" +
           "<stop offset=\"0\"" + Attribute("stop-color", HexColour(box.topColour)) + "/>" +
           "<stop offset=\"1\"" + Attribute("stop-color", HexColour(box.bottomColour)) + "/>" +
           "</linearGradient>\n";
}

std::string Rect(const RoundBox& box, const std::string& fill) {
    const Box& b = box.box;
    std::string rect = "<rect" + Attribute("x", Number(b.left)) + Attribute("y", Number(b.top)) +
                       Attribute("width", Number(b.right - b.left)) +
                       Attribute("height", Number(b.bottom - b.top));
    if (box.radius > 0) rect += Attribute("rx", Number(box.radius));
    return rect + Attribute("fill", fill) + "/>\n";
}

}  // namespace

std::string RoundBoxesSvg(int32_t side, std::span<const RoundBox> boxes) {
    const std::string size = Number(side);
    std::string svg = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg" +
                      Attribute("xmlns", "http://www.w3.org/2000/svg") +
                      Attribute("version", "1.1") + Attribute("width", size) +
                      Attribute("height", size) + Attribute("viewBox", "0 0 " + size + " " + size) +
                      ">\n";
    int gradients = 0;
    for (const RoundBox& box : boxes) {
        if (box.topColour == box.bottomColour || box.box.bottom - box.box.top <= 1) {
            svg += Rect(box, HexColour(box.topColour));
            continue;
        }
        const std::string id = "shade" + std::to_string(++gradients);
        svg += LinearGradient(box, id) + Rect(box, "url(#" + id + ")");
    }
    return svg + "</svg>\n";
}

}  // namespace artwork
