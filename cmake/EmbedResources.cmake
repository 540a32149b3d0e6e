# Writes OUTPUT, a C++ source defining NAMESPACE::Resource over the files of FILES (joined
# by "|"), as declared in HEADER. Run by tavik_embed_resources at build time.
string(REPLACE "|" ";" files "${FILES}")

string(REPEAT "0x..," 16 line)  # CMake's expressions have no {n} repetition
set(arrays "")
set(entries "")
set(index 0)
foreach(file IN LISTS files)
    get_filename_component(name ${file} NAME)
    file(SIZE ${file} size)
    file(READ ${file} hex HEX)
    # Sixteen bytes a line; a trailing 0 keeps the array non-empty for an empty file.
    string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
    string(REGEX REPLACE "(${line})" "\\1\n    " bytes "${bytes}")
    string(APPEND arrays "const uint8_t kFile${index}[] = {\n    ${bytes}0x00};\n\n")
    string(APPEND entries "    {\"${name}\", {kFile${index}, ${size}}},\n")
    math(EXPR index "${index} + 1")
endforeach()

file(WRITE ${OUTPUT}.new
"// Made from the embedded files at build time.
#include \"${HEADER}\"

namespace ${NAMESPACE} {
namespace {

${arrays}struct Entry {
    std::string_view name;
    std::span<const uint8_t> bytes;
};

const Entry kEntries[] = {
${entries}};

}  // namespace

std::span<const uint8_t> Resource(std::string_view fileName) {
    for (const Entry& entry : kEntries) {
        if (entry.name == fileName) return entry.bytes;
    }
    return {};
}

}  // namespace ${NAMESPACE}
")
file(RENAME ${OUTPUT}.new ${OUTPUT})
