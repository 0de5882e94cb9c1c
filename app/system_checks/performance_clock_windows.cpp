#include <windows.h>

#include "app/system_checks/performance_clock.h"

namespace syschecks {

int64_t PerformanceMilliseconds() {
    LARGE_INTEGER counter, frequency;
    QueryPerformanceCounter(&counter);
    QueryPerformanceFrequency(&frequency);
    return CounterMilliseconds(counter.QuadPart, frequency.QuadPart);
}

}  // namespace syschecks
