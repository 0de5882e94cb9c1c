#pragma once
// TLClickGuard: drops a click on Back or Next that comes right after a page change, so that the
// second click of a double click does not pass over the page the first one opened. The clock is
// given in, so that the guard's timing can be driven without waiting.

#include <cstdint>
#include <functional>
#include <utility>

class TLClickGuard {
public:
    static constexpr int64_t kMilliseconds = 300;
    // Milliseconds of a clock that never goes back.
    using Clock = std::function<int64_t()>;

    explicit TLClickGuard(Clock clock = SteadyClock) : clock_(std::move(clock)), changed_at_(clock_()) {}

    void PageChanged() { changed_at_ = clock_(); }
    bool LetsClickThrough() const { return clock_() - changed_at_ >= kMilliseconds; }

    static int64_t SteadyClock();

private:
    Clock clock_;
    int64_t changed_at_;
};
