// bag-inspect FILE: prints every entry of the stored property bags in FILE (one block, or
// blocks back to back): offset, name, hash, type, size and value. Reports the first malformed
// place with its offset and exits with status 1.
#include <cinttypes>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <variant>
#include <vector>

#include "forms/stored_bag.h"

namespace {

const char* TypeName(uint16_t type) {
    switch (type) {
        case forms::kStoredInt16:
            return "int16";
        case forms::kStoredInt32:
            return "int32";
        case forms::kStoredString:
            return "string";
        case forms::kStoredObject:
            return "object";
        case forms::kStoredBoolean:
            return "bool";
        default:
            return "?";
    }
}

std::string Describe(const forms::PropertyValue& value) {
    struct Visitor {
        std::string operator()(int16_t v) const { return std::to_string(v); }
        std::string operator()(int32_t v) const {
            char hex[16];
            std::snprintf(hex, sizeof hex, "0x%08" PRIX32, static_cast<uint32_t>(v));
            return std::to_string(v) + " (" + hex + ")";
        }
        std::string operator()(bool v) const { return v ? "true" : "false"; }
        std::string operator()(const std::string& v) const { return "\"" + v + "\""; }
        std::string operator()(const platform::FontDesc& f) const {
            char size[32];
            std::snprintf(size, sizeof size, "%g", f.SizePoints());
            std::string text = "font \"" + f.name + "\" " + size + " pt, weight " +
                               std::to_string(f.weight) + ", charset " + std::to_string(f.charset);
            if (f.italic) text += ", italic";
            if (f.underline) text += ", underline";
            if (f.strikethrough) text += ", strikethrough";
            return text;
        }
        std::string operator()(const forms::PicturePtr& p) const {
            if (!p) return "picture none";
            const char* kind = p->Type() == platform::PictureType::Icon ? "icon" : "bitmap";
            return std::string("picture ") + kind + " " + std::to_string(p->Width()) + " x " +
                   std::to_string(p->Height()) + ", " + std::to_string(p->FileBytes().size()) +
                   " bytes of image file";
        }
    };
    return std::visit(Visitor{}, value);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: bag-inspect FILE\n");
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "bag-inspect: cannot read %s\n", argv[1]);
        return 2;
    }
    const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), {});
    size_t start = 0;
    for (int block = 1; start < bytes.size(); ++block) {
        const forms::StoredBagReadResult read =
            forms::ReadStoredBag(std::span(bytes).subspan(start));
        std::printf("block %d at %zu, %zu bytes\n", block, start, read.blockSize);
        const auto& entries = read.bag.Entries();
        for (size_t i = 0; i < read.layout.size(); ++i) {
            const forms::StoredEntryLayout& e = read.layout[i];
            std::printf("  %6zu  %-9s hash 0x%08" PRIX32 "  %-6s size %4" PRId32 "  %s\n",
                        start + e.offset, e.key.c_str(), e.hash, TypeName(e.type), e.size,
                        Describe(entries[i].value).c_str());
        }
        if (read.error) {
            forms::StoredBagError error = *read.error;
            error.offset += start;
            std::printf("malformed: %s\n", error.Describe().c_str());
            return 1;
        }
        start += read.blockSize;
    }
    return 0;
}
