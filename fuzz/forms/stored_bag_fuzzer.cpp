// Feeds arbitrary bytes to the stored property bag reader: it must never read outside the
// input, and whatever it reads must write back to a block that reads the same again.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "forms/stored_bag.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const forms::StoredBagReadResult read = forms::ReadStoredBag({data, size});
    if (read.error) return 0;
    const std::vector<uint8_t> written = forms::WriteStoredBag(read.bag);
    const forms::StoredBagReadResult again = forms::ReadStoredBag(written);
    if (again.error || forms::WriteStoredBag(again.bag) != written) std::abort();
    return 0;
}
