#pragma once

#include <chrono>
#include <cstdint>

namespace platform {

/// Milliseconds on the system's steady clock, which never goes back when the wall clock is set:
/// the clock of the real displays' event sources. Every SteadyClock reads the same time.
class SteadyClock {
  public:
    int64_t NowMs() const {
        return std::chrono::duration_cast<std::chrono::milliseconds>(
                   std::chrono::steady_clock::now().time_since_epoch())
            .count();
    }
};

}  // namespace platform
