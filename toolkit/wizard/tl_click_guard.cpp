#include "toolkit/wizard/tl_click_guard.h"

#include <chrono>

int64_t TLClickGuard::SteadyClock() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}
