#include "platform/text/em_size.h"

#include <algorithm>

namespace platform {

int32_t EmPixels(int64_t sizeCy) {
    if (sizeCy <= 0) return 1;
    // Beyond this size the em is clamped anyway; bounding first keeps the products in range.
    constexpr int64_t kLargestUsefulCy = int64_t{kMaxEmPixels + 1} * 10000 * 72 / 96;
    const int64_t cy = std::min(sizeCy, kLargestUsefulCy);
    const int64_t tenThousandths = (cy * 96 + 36) / 72;
    const int64_t em = tenThousandths / 10000 + (tenThousandths % 10000 > 5000 ? 1 : 0);
    return static_cast<int32_t>(std::clamp<int64_t>(em, 1, kMaxEmPixels));
}

}  // namespace platform
