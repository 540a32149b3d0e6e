#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "forms/property_bag.h"

namespace forms {

// The byte layout in which a form's design data keeps one control's property bag, all
// numbers little-endian:
//
//   header (17 bytes)  2D 4C 42 09 00 | L (32) | 0x0000B293 (32) | L (32)
//                      L counts every byte after the first L: the constant, the second L and
//                      all entries, so the block is 9 + L bytes long.
//   entry              value type (16: 2 int16, 3 int32, 8 string, 9 object, 11 Boolean)
//                      | name length n in UTF-16 units (16) | name hash (32)
//                      | entry size (32) | name (2n bytes UTF-16LE, lower case)
//                      | value | zero fill up to a multiple of 4
//   entry size         12 + 2n + value size rounded up to a multiple of 4; in the last entry
//                      the negative of its own offset from the start of the first entry
//   values             int16 and Boolean 2 bytes (true 0xFFFF); int32 4 bytes; a string is a
//                      32-bit count of UTF-16 units and the units; an object is its 16-byte
//                      class identifier and its persisted stream (fonts and pictures)

/// The value types of entries, as StoredEntryLayout::type holds them.
enum StoredValueType : uint16_t {
    kStoredInt16 = 2,
    kStoredInt32 = 3,
    kStoredString = 8,
    kStoredObject = 9,
    kStoredBoolean = 11,
};

/// The hash of a stored name: starting from 0, for each UTF-16 unit c of the lower-case name
/// the hash is rotated left by 13 bits and c is XORed into it ("tx" gives 0x000E8078).
uint32_t StoredNameHash(std::u16string_view lowerName);

/// Where and why a stored bag could not be read; `key` is empty when the failing place is not
/// an entry (the header) or its name could not be read.
struct StoredBagError {
    std::string key;
    size_t offset = 0;  // from the start of the block
    std::string message;

    std::string Describe() const;
};

/// Where one entry lies in its block and what its fixed fields hold, as read.
struct StoredEntryLayout {
    size_t offset = 0;  // from the start of the block
    std::string key;
    uint32_t hash = 0;
    uint16_t type = 0;  // a StoredValueType when the entry reads
    int32_t size = 0;   // as stored: negative in the last entry
};

struct StoredBagReadResult {
    PropertyBag bag;                        // the entries read before any failure
    std::vector<StoredEntryLayout> layout;  // the same entries' places, in block order
    std::optional<StoredBagError> error;    // the first malformed place, if any
    size_t blockSize = 0;                   // bytes the block takes, as its header says
};

/// Reads one block from the start of `bytes`. Never reads outside the block; stops at the
/// first malformed place and returns the entries before it with the error. Malformed are: a
/// block shorter than its header says, sizes or counts that point outside it, an unknown value
/// type, an object of an unknown class or whose stream does not read, a name whose hash does
/// not match, a key stored twice (compared without regard to case), an entry size other than
/// the one its name and value give, an end marker on an entry that does not end the block, and
/// a block whose last entry has no end marker. The writer produces none of these. Pictures
/// together get at most 6 Mi pixels and one more for every 8 bytes of the block: a picture
/// over what is left is malformed, as is one the memory cannot hold.
StoredBagReadResult ReadStoredBag(std::span<const uint8_t> bytes);

/// Writes a block holding every entry of the bag in its order. Null pictures leave no entry.
std::vector<uint8_t> WriteStoredBag(const PropertyBag& bag);

}  // namespace forms
