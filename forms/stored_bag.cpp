#include "forms/stored_bag.h"

#include <algorithm>
#include <array>
#include <bit>
#include <new>
#include <type_traits>

#include "forms/utf16.h"
#include "platform/bytes/byte_reader.h"
#include "platform/bytes/byte_writer.h"
#include "platform/objects/font_stream.h"
#include "platform/objects/picture_stream.h"

namespace forms {
namespace {

using platform::ByteRangeError;
using platform::ByteReader;
using platform::ByteWriter;

constexpr std::array<uint8_t, 5> kMagic = {0x2D, 0x4C, 0x42, 0x09, 0x00};
constexpr uint32_t kFraming = 0x0000B293;
constexpr size_t kHeaderSize = 17;
constexpr size_t kEntryHeaderSize = 12;

enum ValueType : uint16_t { kInt16 = 2, kInt32 = 3, kString = 8, kObject = 9, kBoolean = 11 };

// What the pictures of one block may take together, in pixels: 6 Mi (24 MB, more than any
// button shows) and an eighth of a pixel for every byte of the block. With a JPEG decoder's
// working memory as large again, reading a block costs at most 48 MB and the block's size in
// pixels, whatever the pictures claim.
constexpr int64_t kBasePicturePixels = int64_t{6} << 20;

int64_t PicturePixelsFor(size_t blockSize) {
    return kBasePicturePixels + static_cast<int64_t>(blockSize / 8);
}

size_t RoundUp4(size_t n) {
    return (n + 3) & ~size_t{3};
}

// The fixed fields at the start of an entry, as stored.
struct EntryHeader {
    uint16_t type = 0;
    uint16_t nameLength = 0;
    uint32_t hash = 0;
    int32_t size = 0;  // negative in the last entry
};

EntryHeader ReadEntryHeader(ByteReader& r) {
    return {r.U16(), r.U16(), r.U32(), static_cast<int32_t>(r.U32())};
}

std::u16string LowerName(std::string_view key) {
    std::u16string name = Utf8ToUtf16(key);
    for (char16_t& c : name) {
        if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
    }
    return name;
}

// The type code and value bytes of one entry; an empty optional for a null picture.
std::optional<std::pair<uint16_t, std::vector<uint8_t>>> EncodeValue(const PropertyValue& value) {
    ByteWriter w;
    uint16_t type = 0;
    std::visit(
        [&](const auto& v) {
            using T = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<T, int16_t>) {
                type = kInt16;
                w.U16(static_cast<uint16_t>(v));
            } else if constexpr (std::is_same_v<T, int32_t>) {
                type = kInt32;
                w.U32(static_cast<uint32_t>(v));
            } else if constexpr (std::is_same_v<T, bool>) {
                type = kBoolean;
                w.U16(v ? 0xFFFF : 0);
            } else if constexpr (std::is_same_v<T, std::string>) {
                type = kString;
                const std::u16string text = Utf8ToUtf16(v);
                w.U32(static_cast<uint32_t>(text.size()));
                w.Units(text);
            } else if constexpr (std::is_same_v<T, platform::FontDesc>) {
                type = kObject;
                w.Append(platform::kStdFontClassId);
                w.Append(platform::WriteFontStream(v));
            } else if (v) {
                type = kObject;
                w.Append(platform::kStdPictureClassId);
                w.Append(platform::WritePictureStream(v));
            }
        },
        value);
    if (type == 0) return std::nullopt;
    return std::pair{type, w.Take()};
}

struct EntryFailure {
    size_t offset;
    std::string message;
};

// Reads the value of an entry of `type` from `r`, a picture within `pixelBudget` pixels, which
// it then takes; throws EntryFailure.
PropertyValue DecodeValue(uint16_t type, ByteReader& r, int64_t& pixelBudget) {
    // A field that runs past the entry is reported at the start of the value.
    const size_t at = r.Pos();
    const auto field = [at](const char* what, auto read) {
        try {
            return read();
        } catch (const ByteRangeError&) {
            throw EntryFailure{at, std::string(what) + " runs past the entry"};
        }
    };
    switch (type) {
        case kInt16:
            return field("16-bit value", [&] { return static_cast<int16_t>(r.U16()); });
        case kInt32:
            return field("32-bit value", [&] { return static_cast<int32_t>(r.U32()); });
        case kBoolean:
            return field("Boolean value", [&] { return r.U16() != 0; });
        case kString: {
            const uint32_t count = field("string length", [&] { return r.U32(); });
            return Utf16ToUtf8(field("string", [&] { return r.Units(count); }));
        }
        case kObject: {
            const auto classId = field("class identifier", [&] { return r.Take(16); });
            const size_t streamAt = r.Pos();
            const auto rest = r.Rest();
            size_t consumed = 0;
            try {
                if (std::ranges::equal(classId, platform::kStdFontClassId)) {
                    platform::FontDesc font = platform::ReadFontStream(rest, consumed);
                    r.Skip(consumed);
                    return font;
                }
                if (std::ranges::equal(classId, platform::kStdPictureClassId)) {
                    PicturePtr picture = platform::ReadPictureStream(rest, consumed, pixelBudget);
                    r.Skip(consumed);
                    if (picture) pixelBudget -= int64_t{picture->Width()} * picture->Height();
                    return picture;
                }
            } catch (const platform::StreamError& e) {
                throw EntryFailure{streamAt + e.Offset(), e.Reason()};
            }
            throw EntryFailure{at, "object of an unknown class"};
        }
        default:
            throw EntryFailure{at, "unknown value type " + std::to_string(type)};
    }
}

}  // namespace

uint32_t StoredNameHash(std::u16string_view lowerName) {
    uint32_t hash = 0;
    for (char16_t c : lowerName)
        hash = std::rotl(hash, 13) ^ c;
    return hash;
}

std::string StoredBagError::Describe() const {
    std::string text = message + " at byte " + std::to_string(offset);
    if (!key.empty()) text += " (key \"" + key + "\")";
    return text;
}

StoredBagReadResult ReadStoredBag(std::span<const uint8_t> bytes) {
    StoredBagReadResult result;
    auto fail = [&](std::string key, size_t offset, std::string message) {
        result.error = StoredBagError{std::move(key), offset, std::move(message)};
        return std::move(result);
    };

    std::span<const uint8_t> magic;
    uint32_t length = 0;
    uint32_t framing = 0;
    uint32_t lengthAgain = 0;
    try {
        ByteReader header(bytes);
        magic = header.Take(kMagic.size());
        length = header.U32();
        framing = header.U32();
        lengthAgain = header.U32();
    } catch (const ByteRangeError& error) {
        return fail("", error.Offset(), "block shorter than its header");
    }
    if (!std::ranges::equal(magic, kMagic)) return fail("", 0, "not a stored bag");
    if (framing != kFraming) return fail("", 9, "unknown framing constant");
    if (lengthAgain != length) return fail("", 13, "the two block lengths differ");
    if (length < 8 || length > bytes.size() - 9) {
        return fail("", 5, "block length " + std::to_string(length) + " outside the data");
    }
    result.blockSize = 9 + size_t{length};

    const size_t first = kHeaderSize;
    const size_t end = result.blockSize;
    int64_t pixelBudget = PicturePixelsFor(result.blockSize);
    size_t pos = first;
    while (pos < end) {
        ByteReader r(bytes.first(end));
        r.Skip(pos);
        EntryHeader entry;
        try {
            entry = ReadEntryHeader(r);
        } catch (const ByteRangeError&) {
            return fail("", pos, "entry header runs past the block");
        }
        const auto [type, nameLength, hash, size] = entry;
        std::u16string name;
        try {
            name = r.Units(nameLength);
        } catch (const ByteRangeError& error) {
            return fail("", error.At(), "name runs past the block");
        }
        const std::string key = Utf16ToUtf8(name);
        if (StoredNameHash(name) != hash) return fail(key, pos + 4, "name hash does not match");
        if (result.bag.Find(key)) return fail(key, pos, "key stored twice");

        // Every entry's size follows from its name and value; the last one stores minus its
        // offset instead and ends the block exactly.
        const bool last = size <= 0;
        const size_t offsetInEntries = pos - first;
        if (last && static_cast<size_t>(-static_cast<int64_t>(size)) != offsetInEntries) {
            return fail(key, pos + 8, "last entry size is not minus its offset");
        }
        if (!last && (static_cast<uint32_t>(size) > end - pos || size % 4 != 0)) {
            return fail(key, pos + 8, "entry size points outside the block");
        }
        const size_t entryEnd = last ? end : pos + static_cast<uint32_t>(size);
        if (entryEnd < r.Pos()) return fail(key, pos + 8, "entry size leaves no room for its name");
        ByteReader valueReader(bytes.first(entryEnd));
        valueReader.Skip(r.Pos());
        PropertyValue value;
        try {
            value = DecodeValue(type, valueReader, pixelBudget);
        } catch (const EntryFailure& failure) {
            return fail(key, failure.offset, failure.message);
        } catch (const std::bad_alloc&) {
            return fail(key, r.Pos(), "not enough memory for the value");
        }
        const size_t used = RoundUp4(valueReader.Pos() - pos);
        if (last && pos + used != end) {
            return fail(key, pos + 8, "end marker on an entry that does not end the block");
        }
        if (!last && used != static_cast<uint32_t>(size)) {
            return fail(key, pos + 8, "entry size does not match its value");
        }
        if (!last && entryEnd == end) return fail(key, pos + 8, "last entry has no end marker");
        result.bag.Write(key, std::move(value));
        result.layout.push_back({pos, key, hash, type, size});
        pos = entryEnd;
    }
    return result;
}

std::vector<uint8_t> WriteStoredBag(const PropertyBag& bag) {
    struct Encoded {
        std::u16string name;
        uint16_t type;
        std::vector<uint8_t> value;
    };
    std::vector<Encoded> stored;
    for (const PropertyBag::Entry& entry : bag.Entries()) {
        if (auto encoded = EncodeValue(entry.value)) {
            stored.push_back({LowerName(entry.key), encoded->first, std::move(encoded->second)});
        }
    }
    ByteWriter entries;
    for (const Encoded& entry : stored) {
        const size_t at = entries.Size();
        const size_t size = RoundUp4(kEntryHeaderSize + 2 * entry.name.size() + entry.value.size());
        // The last entry's size field holds minus its offset from the first entry.
        const bool last = &entry == &stored.back();
        entries.U16(entry.type);
        entries.U16(static_cast<uint16_t>(entry.name.size()));
        entries.U32(StoredNameHash(entry.name));
        entries.U32(last ? static_cast<uint32_t>(-static_cast<int64_t>(at))
                         : static_cast<uint32_t>(size));
        entries.Units(entry.name);
        entries.Append(entry.value);
        entries.Zeros(at + size - entries.Size());
    }
    const std::vector<uint8_t> entryBytes = entries.Take();
    const auto length = static_cast<uint32_t>(8 + entryBytes.size());
    ByteWriter block;
    block.Append(kMagic);
    block.U32(length);
    block.U32(kFraming);
    block.U32(length);
    block.Append(entryBytes);
    return block.Take();
}

}  // namespace forms
