// Feeds arbitrary bytes to the stored property bag reader: it must never read outside the
// input, what it reads must be consistent (the layout lists each entry of the bag once, in
// order, under its key and with its value's type; the bag finds each under its key), and it
// must write back to a block that reads the same again.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <variant>
#include <vector>

#include "forms/stored_bag.h"

namespace {

// The stored type code of a value read from the bag.
uint16_t TypeOf(const forms::PropertyValue& value) {
    constexpr uint16_t kCodes[] = {2, 3, 8, 11, 9, 9};  // in the variant's order
    return kCodes[value.index()];
}

unsigned char AsciiLower(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte >= 'A' && byte <= 'Z' ? static_cast<unsigned char>(byte - 'A' + 'a') : byte;
}

void Check(bool ok) {
    if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const forms::StoredBagReadResult read = forms::ReadStoredBag({data, size});
    const auto& entries = read.bag.Entries();
    Check(read.layout.size() == entries.size());
    std::vector<std::string_view> keys;
    for (size_t i = 0; i < entries.size(); ++i) {
        Check(read.layout[i].key == entries[i].key);
        Check(read.layout[i].type == TypeOf(entries[i].value));
        Check(read.bag.Find(entries[i].key) == &entries[i].value);
        keys.push_back(entries[i].key);
    }
    // No two keys match: in order with ASCII letters in lower case, no key matches the next.
    std::ranges::sort(keys, [](std::string_view a, std::string_view b) {
        return std::ranges::lexicographical_compare(a, b, {}, AsciiLower, AsciiLower);
    });
    for (size_t i = 1; i < keys.size(); ++i)
        Check(!forms::KeysMatch(keys[i - 1], keys[i]));
    if (read.error) return 0;
    const std::vector<uint8_t> written = forms::WriteStoredBag(read.bag);
    const forms::StoredBagReadResult again = forms::ReadStoredBag(written);
    Check(!again.error && forms::WriteStoredBag(again.bag) == written);
    return 0;
}
