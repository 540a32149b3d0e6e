// Feeds arbitrary bytes to the stored property bag reader: it must never read outside the
// input, what it reads must be consistent (the layout lists each entry of the bag once, in
// order, under its key and with its value's type), and it must write back to a block that
// reads the same again.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <variant>

#include "forms/stored_bag.h"

namespace {

// The stored type code of a value read from the bag.
uint16_t TypeOf(const forms::PropertyValue& value) {
    constexpr uint16_t kCodes[] = {2, 3, 8, 11, 9, 9};  // in the variant's order
    return kCodes[value.index()];
}

void Check(bool ok) {
    if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const forms::StoredBagReadResult read = forms::ReadStoredBag({data, size});
    const auto& entries = read.bag.Entries();
    Check(read.layout.size() == entries.size());
    for (size_t i = 0; i < entries.size(); ++i) {
        Check(read.layout[i].key == entries[i].key);
        Check(read.layout[i].type == TypeOf(entries[i].value));
        for (size_t j = 0; j < i; ++j)
            Check(!forms::KeysMatch(entries[i].key, entries[j].key));
    }
    if (read.error) return 0;
    const std::vector<uint8_t> written = forms::WriteStoredBag(read.bag);
    const forms::StoredBagReadResult again = forms::ReadStoredBag(written);
    Check(!again.error && forms::WriteStoredBag(again.bag) == written);
    return 0;
}
