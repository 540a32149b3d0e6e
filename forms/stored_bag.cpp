#include "forms/stored_bag.h"

#include <algorithm>
#include <array>
#include <bit>
#include <new>
#include <type_traits>

#include "forms/utf16.h"
#include "platform/bytes/byte_writer.h"
#include "platform/bytes/field_reader.h"
#include "platform/objects/font_stream.h"
#include "platform/objects/picture_stream.h"

namespace forms {
namespace {

using platform::ByteWriter;
using platform::FieldReader;
using platform::ReadError;
using platform::Result;

// The header: the magic, the block length, the framing constant and the length again. The
// length counts the bytes from the framing constant on, which take at least the constant and
// the second length.
constexpr std::array<uint8_t, 5> kMagic = {0x2D, 0x4C, 0x42, 0x09, 0x00};
constexpr uint32_t kFraming = 0x0000B293;
constexpr size_t kLengthAt = 5;
constexpr size_t kFramingAt = 9;
constexpr size_t kLengthAgainAt = 13;
constexpr size_t kHeaderSize = 17;
constexpr uint32_t kShortestLength = 8;

// An entry's fixed fields, from its start: type (16), name length (16), hash (32), size (32).
constexpr size_t kHashAt = 4;
constexpr size_t kSizeAt = 8;
constexpr size_t kEntryHeaderSize = 12;

constexpr size_t kClassIdSize = 16;

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
                type = kStoredInt16;
                w.U16(static_cast<uint16_t>(v));
            } else if constexpr (std::is_same_v<T, int32_t>) {
                type = kStoredInt32;
                w.U32(static_cast<uint32_t>(v));
            } else if constexpr (std::is_same_v<T, bool>) {
                type = kStoredBoolean;
                w.U16(v ? 0xFFFF : 0);
            } else if constexpr (std::is_same_v<T, std::string>) {
                type = kStoredString;
                const std::u16string text = Utf8ToUtf16(v);
                w.U32(static_cast<uint32_t>(text.size()));
                w.Units(text);
            } else if constexpr (std::is_same_v<T, platform::FontDesc>) {
                type = kStoredObject;
                w.Append(platform::kStdFontClassId);
                w.Append(platform::WriteFontStream(v));
            } else if (v) {
                type = kStoredObject;
                w.Append(platform::kStdPictureClassId);
                w.Append(platform::WritePictureStream(v));
            }
        },
        value);
    if (type == 0) return std::nullopt;
    return std::pair{type, w.Take()};
}

// The size of the block that `bytes` starts with, as its header gives it.
Result<size_t> ReadHeader(std::span<const uint8_t> bytes) {
    constexpr char kShort[] = "block shorter than its header";
    FieldReader header(bytes);
    const auto magic = TRY(header.Take(kMagic.size(), kShort));
    const uint32_t length = TRY(header.U32(kShort));
    const uint32_t framing = TRY(header.U32(kShort));
    const uint32_t lengthAgain = TRY(header.U32(kShort));
    if (!std::ranges::equal(magic, kMagic)) return ReadError{"not a stored bag", 0};
    if (framing != kFraming) return ReadError{"unknown framing constant", kFramingAt};
    if (lengthAgain != length) return ReadError{"the two block lengths differ", kLengthAgainAt};
    if (length < kShortestLength || length > bytes.size() - kFramingAt) {
        return ReadError{"block length " + std::to_string(length) + " outside the data", kLengthAt};
    }
    return kFramingAt + size_t{length};
}

// The fixed fields and the name of an entry, as stored.
struct EntryHeader {
    size_t at = 0;  // from the start of the block
    uint16_t type = 0;
    uint32_t hash = 0;
    int32_t size = 0;  // negative in the last entry
    std::u16string name;
    size_t valueAt = 0;

    // Every entry's size follows from its name and value; the last one stores minus its offset
    // from the first entry instead and ends the block exactly.
    bool IsLast() const { return size <= 0; }
    size_t SizeAt() const { return at + kSizeAt; }
};

// A part cut short is reported where it starts: the fixed fields at the entry, the name at the
// name.
Result<EntryHeader> ReadEntryHeader(std::span<const uint8_t> block, size_t at) {
    constexpr char kShort[] = "entry header runs past the block";
    FieldReader fields = FieldReader::Part(block, at);
    EntryHeader entry;
    entry.at = at;
    entry.type = TRY(fields.U16(kShort));
    const uint16_t nameLength = TRY(fields.U16(kShort));
    entry.hash = TRY(fields.U32(kShort));
    entry.size = static_cast<int32_t>(TRY(fields.U32(kShort)));
    FieldReader name = FieldReader::Part(block, at + kEntryHeaderSize);
    entry.name = TRY(name.Units(nameLength, "name runs past the block"));
    entry.valueAt = name.Pos();
    return entry;
}

// Where the entry ends, as its size field gives it.
Result<size_t> EntryEnd(std::span<const uint8_t> block, const EntryHeader& entry) {
    const size_t offsetInEntries = entry.at - kHeaderSize;
    if (entry.IsLast() &&
        static_cast<size_t>(-static_cast<int64_t>(entry.size)) != offsetInEntries) {
        return ReadError{"last entry size is not minus its offset", entry.SizeAt()};
    }
    const auto size = static_cast<uint32_t>(entry.size);
    if (!entry.IsLast() && (size > block.size() - entry.at || size % 4 != 0)) {
        return ReadError{"entry size points outside the block", entry.SizeAt()};
    }
    const size_t end = entry.IsLast() ? block.size() : entry.at + size;
    if (end < entry.valueAt) {
        return ReadError{"entry size leaves no room for its name", entry.SizeAt()};
    }
    return end;
}

// A value read and where it ends.
struct ValueRead {
    PropertyValue value;
    size_t end = 0;
};

// Reads the value of an entry of `type` at `at` in `entry` (the block up to the entry's end), a
// picture within `pixelBudget` pixels, which it then takes.
Result<ValueRead> ReadValue(uint16_t type, std::span<const uint8_t> entry, size_t at,
                            int64_t& pixelBudget) {
    // A field that runs past the entry is reported at the start of the value.
    FieldReader r = FieldReader::Part(entry, at);
    switch (type) {
        case kStoredInt16:
            return ValueRead{static_cast<int16_t>(TRY(r.U16("16-bit value runs past the entry"))),
                             r.Pos()};
        case kStoredInt32:
            return ValueRead{static_cast<int32_t>(TRY(r.U32("32-bit value runs past the entry"))),
                             r.Pos()};
        case kStoredBoolean:
            return ValueRead{TRY(r.U16("Boolean value runs past the entry")) != 0, r.Pos()};
        case kStoredString: {
            const uint32_t count = TRY(r.U32("string length runs past the entry"));
            return ValueRead{Utf16ToUtf8(TRY(r.Units(count, "string runs past the entry"))),
                             r.Pos()};
        }
        case kStoredObject: {
            const auto classId = TRY(r.Take(kClassIdSize, "class identifier runs past the entry"));
            // The object's stream reports its faults where they lie.
            FieldReader stream(entry, r.Pos());
            if (std::ranges::equal(classId, platform::kStdFontClassId)) {
                return ValueRead{TRY(platform::ReadFontStream(stream)), stream.Pos()};
            }
            if (std::ranges::equal(classId, platform::kStdPictureClassId)) {
                PicturePtr picture = TRY(platform::ReadPictureStream(stream, pixelBudget));
                if (picture) pixelBudget -= int64_t{picture->Width()} * picture->Height();
                return ValueRead{std::move(picture), stream.Pos()};
            }
            return ReadError{"object of an unknown class", at};
        }
        default:
            return ReadError{"unknown value type " + std::to_string(type), at};
    }
}

// ReadValue, where a value the memory cannot hold is malformed.
Result<ValueRead> ReadValueInMemory(uint16_t type, std::span<const uint8_t> entry, size_t at,
                                    int64_t& pixelBudget) {
    try {
        return ReadValue(type, entry, at, pixelBudget);
    } catch (const std::bad_alloc&) {
        return ReadError{"not enough memory for the value", at};
    }
}

// An entry read: its place and fixed fields, its value and where the next entry starts.
struct Entry {
    StoredEntryLayout layout;
    PropertyValue value;
    size_t end = 0;
};

// The rest of the entry whose header was read, under `key`, which `bag` must not hold yet.
Result<Entry> ReadEntry(std::span<const uint8_t> block, const EntryHeader& entry, std::string key,
                        const PropertyBag& bag, int64_t& pixelBudget) {
    if (StoredNameHash(entry.name) != entry.hash) {
        return ReadError{"name hash does not match", entry.at + kHashAt};
    }
    if (bag.Find(key)) return ReadError{"key stored twice", entry.at};
    const size_t end = TRY(EntryEnd(block, entry));
    ValueRead value =
        TRY(ReadValueInMemory(entry.type, block.first(end), entry.valueAt, pixelBudget));
    const size_t used = RoundUp4(value.end - entry.at);
    if (entry.IsLast() && entry.at + used != end) {
        return ReadError{"end marker on an entry that does not end the block", entry.SizeAt()};
    }
    if (!entry.IsLast() && used != static_cast<uint32_t>(entry.size)) {
        return ReadError{"entry size does not match its value", entry.SizeAt()};
    }
    if (!entry.IsLast() && end == block.size()) {
        return ReadError{"last entry has no end marker", entry.SizeAt()};
    }
    return Entry{{entry.at, std::move(key), entry.hash, entry.type, entry.size},
                 std::move(value.value),
                 end};
}

StoredBagReadResult Failed(StoredBagReadResult result, std::string key, ReadError error) {
    result.error = StoredBagError{std::move(key), error.offset, std::move(error.message)};
    return result;
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
    Result<size_t> blockSize = ReadHeader(bytes);
    if (blockSize.IsError()) return Failed(std::move(result), "", std::move(blockSize).Error());
    result.blockSize = blockSize.Value();
    const auto block = bytes.first(result.blockSize);
    int64_t pixelBudget = PicturePixelsFor(result.blockSize);
    for (size_t at = kHeaderSize; at < block.size();) {
        Result<EntryHeader> header = ReadEntryHeader(block, at);
        if (header.IsError()) return Failed(std::move(result), "", std::move(header).Error());
        std::string key = Utf16ToUtf8(header.Value().name);
        Result<Entry> entry = ReadEntry(block, header.Value(), key, result.bag, pixelBudget);
        if (entry.IsError()) return Failed(std::move(result), key, std::move(entry).Error());
        result.bag.Write(key, std::move(entry.Value().value));
        result.layout.push_back(std::move(entry.Value().layout));
        at = entry.Value().end;
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
