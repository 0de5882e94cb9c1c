#pragma once
// Milliseconds from the high-resolution performance counter.

#include <cstdint>

namespace syschecks {

// The counter's reading in milliseconds. Exact for every reading: a counter near 2^63 (a machine
// that has run for a long time, or a fast counter) neither overflows nor turns negative; a
// negative reading or a frequency that is not positive gives 0.
int64_t CounterMilliseconds(int64_t counter, int64_t frequency);

// Now, by the performance counter.
int64_t PerformanceMilliseconds();

}  // namespace syschecks
