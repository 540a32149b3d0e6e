#include <string>

#include "platform/image/image.h"

namespace platform {

Result<void> CheckPixelBudget(int64_t width, int64_t height, int64_t maxPixels) {
    // Divided rather than multiplied, so that no claimed size overflows.
    if (width <= 0 || height <= 0 || height <= maxPixels / width) return {};
    return ReadError{"a picture of " + std::to_string(width) + " x " + std::to_string(height) +
                     " pixels is over the budget of " + std::to_string(maxPixels) + " pixels"};
}

}  // namespace platform
