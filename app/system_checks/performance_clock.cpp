#include "app/system_checks/performance_clock.h"

#include <limits>

namespace syschecks {

int64_t CounterMilliseconds(int64_t counter, int64_t frequency) {
    if (counter <= 0 || frequency <= 0) return 0;
    // 128 bits hold any 63-bit counter times 1000.
    const unsigned __int128 milliseconds = static_cast<unsigned __int128>(counter) * 1000u / frequency;
    constexpr int64_t kMost = std::numeric_limits<int64_t>::max();
    return milliseconds > static_cast<unsigned __int128>(kMost) ? kMost : static_cast<int64_t>(milliseconds);
}

}  // namespace syschecks
