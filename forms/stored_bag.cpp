#include "forms/stored_bag.h"

#include <bit>
#include <new>
#include <type_traits>

#include "forms/utf16.h"
#include "platform/objects/font_stream.h"
#include "platform/objects/picture_stream.h"

namespace forms {
namespace {

constexpr uint8_t kMagic[5] = {0x2D, 0x4C, 0x42, 0x09, 0x00};
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

class Writer {
  public:
    void U16(uint16_t v) { Bytes({static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8)}); }
    void U32(uint32_t v) {
        for (int shift = 0; shift < 32; shift += 8)
            out.push_back(static_cast<uint8_t>(v >> shift));
    }
    void Bytes(std::span<const uint8_t> bytes) {
        out.insert(out.end(), bytes.begin(), bytes.end());
    }
    void Bytes(std::initializer_list<uint8_t> bytes) { out.insert(out.end(), bytes); }
    void Units(std::u16string_view text) {
        for (char16_t c : text)
            U16(c);
    }

    std::vector<uint8_t> out;
};

// Reads little-endian fields inside [start, end) of the block and reports the first place
// where a field would run past `end`.
class Reader {
  public:
    Reader(std::span<const uint8_t> block, size_t start, size_t end)
        : block_(block), pos_(start), end_(end) {}

    size_t Pos() const { return pos_; }
    size_t Left() const { return end_ - pos_; }
    bool Has(size_t n) const { return n <= Left(); }

    uint16_t U16() { return static_cast<uint16_t>(Byte() | Byte() << 8); }
    uint32_t U32() {
        uint32_t v = 0;
        for (int shift = 0; shift < 32; shift += 8)
            v |= static_cast<uint32_t>(Byte()) << shift;
        return v;
    }
    std::span<const uint8_t> Rest() const { return block_.subspan(pos_, end_ - pos_); }
    std::span<const uint8_t> Take(size_t n) {
        auto s = block_.subspan(pos_, n);
        pos_ += n;
        return s;
    }
    std::u16string Units(size_t count) {
        std::u16string text;
        text.reserve(count);
        for (size_t i = 0; i < count; ++i)
            text += static_cast<char16_t>(U16());
        return text;
    }

  private:
    uint8_t Byte() { return block_[pos_++]; }

    std::span<const uint8_t> block_;
    size_t pos_;
    size_t end_;
};

std::u16string LowerName(std::string_view key) {
    std::u16string name = Utf8ToUtf16(key);
    for (char16_t& c : name) {
        if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
    }
    return name;
}

// The type code and value bytes of one entry; an empty optional for a null picture.
std::optional<std::pair<uint16_t, std::vector<uint8_t>>> EncodeValue(const PropertyValue& value) {
    Writer w;
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
                w.Bytes(platform::kStdFontClassId);
                w.Bytes(platform::WriteFontStream(v));
            } else if (v) {
                type = kObject;
                w.Bytes(platform::kStdPictureClassId);
                w.Bytes(platform::WritePictureStream(v));
            }
        },
        value);
    if (type == 0) return std::nullopt;
    return std::pair{type, std::move(w.out)};
}

struct EntryFailure {
    size_t offset;
    std::string message;
};

// Reads the value of an entry of `type` from `r`, a picture within `pixelBudget` pixels, which
// it then takes; throws EntryFailure.
PropertyValue DecodeValue(uint16_t type, Reader& r, int64_t& pixelBudget) {
    auto need = [&](size_t n, const char* what) {
        if (!r.Has(n)) throw EntryFailure{r.Pos(), std::string(what) + " runs past the entry"};
    };
    switch (type) {
        case kInt16:
            need(2, "16-bit value");
            return static_cast<int16_t>(r.U16());
        case kInt32:
            need(4, "32-bit value");
            return static_cast<int32_t>(r.U32());
        case kBoolean:
            need(2, "Boolean value");
            return r.U16() != 0;
        case kString: {
            need(4, "string length");
            const size_t at = r.Pos();
            const uint32_t count = r.U32();
            if (count > r.Left() / 2) throw EntryFailure{at, "string runs past the entry"};
            return Utf16ToUtf8(r.Units(count));
        }
        case kObject: {
            need(16, "class identifier");
            const size_t at = r.Pos();
            const auto classId = r.Take(16);
            const size_t streamAt = r.Pos();
            const auto rest = r.Rest();
            size_t consumed = 0;
            try {
                if (std::equal(classId.begin(), classId.end(), platform::kStdFontClassId.begin())) {
                    platform::FontDesc font = platform::ReadFontStream(rest, consumed);
                    r.Take(consumed);
                    return font;
                }
                if (std::equal(classId.begin(), classId.end(),
                               platform::kStdPictureClassId.begin())) {
                    PicturePtr picture = platform::ReadPictureStream(rest, consumed, pixelBudget);
                    r.Take(consumed);
                    if (picture) pixelBudget -= int64_t{picture->Width()} * picture->Height();
                    return picture;
                }
            } catch (const platform::StreamError& e) {
                throw EntryFailure{streamAt + e.Offset(), e.Reason()};
            }
            throw EntryFailure{at, "object of an unknown class"};
        }
        default:
            throw EntryFailure{r.Pos(), "unknown value type " + std::to_string(type)};
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
        return result;
    };

    Reader header(bytes, 0, bytes.size());
    if (!header.Has(kHeaderSize)) return fail("", bytes.size(), "block shorter than its header");
    const auto magic = header.Take(5);
    if (!std::equal(magic.begin(), magic.end(), kMagic)) return fail("", 0, "not a stored bag");
    const uint32_t length = header.U32();
    if (header.U32() != kFraming) return fail("", 9, "unknown framing constant");
    if (header.U32() != length) return fail("", 13, "the two block lengths differ");
    if (length < 8 || length > bytes.size() - 9) {
        return fail("", 5, "block length " + std::to_string(length) + " outside the data");
    }
    result.blockSize = 9 + size_t{length};

    const size_t first = kHeaderSize;
    const size_t end = result.blockSize;
    int64_t pixelBudget = PicturePixelsFor(result.blockSize);
    size_t pos = first;
    while (pos < end) {
        Reader r(bytes, pos, end);
        if (!r.Has(kEntryHeaderSize)) return fail("", pos, "entry header runs past the block");
        const uint16_t type = r.U16();
        const uint16_t nameLength = r.U16();
        const uint32_t hash = r.U32();
        const auto size = static_cast<int32_t>(r.U32());
        if (!r.Has(size_t{nameLength} * 2)) return fail("", r.Pos(), "name runs past the block");
        const std::u16string name = r.Units(nameLength);
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
        Reader valueReader(bytes, r.Pos(), entryEnd);
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
    Writer entries;
    size_t lastEntryAt = 0;
    for (const PropertyBag::Entry& entry : bag.Entries()) {
        auto encoded = EncodeValue(entry.value);
        if (!encoded) continue;
        const auto& [type, value] = *encoded;
        const std::u16string name = LowerName(entry.key);
        const size_t size = RoundUp4(kEntryHeaderSize + 2 * name.size() + value.size());
        lastEntryAt = entries.out.size();
        entries.U16(type);
        entries.U16(static_cast<uint16_t>(name.size()));
        entries.U32(StoredNameHash(name));
        entries.U32(static_cast<uint32_t>(size));
        entries.Units(name);
        entries.Bytes(value);
        entries.out.resize(lastEntryAt + size, 0);
    }
    if (!entries.out.empty()) {
        // The last entry's size field holds minus its offset from the first entry.
        const auto marker = static_cast<uint32_t>(-static_cast<int64_t>(lastEntryAt));
        for (int k = 0; k < 4; ++k) {
            entries.out[lastEntryAt + 8 + static_cast<size_t>(k)] =
                static_cast<uint8_t>(marker >> (8 * k));
        }
    }
    Writer block;
    const auto length = static_cast<uint32_t>(8 + entries.out.size());
    block.Bytes(kMagic);
    block.U32(length);
    block.U32(kFraming);
    block.U32(length);
    block.Bytes(entries.out);
    return block.out;
}

}  // namespace forms
