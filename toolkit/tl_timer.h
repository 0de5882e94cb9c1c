#pragma once
// TLTimer: a high-resolution stopwatch (the performance counter on Windows), restarted at will.

#include <chrono>
#include <cstdint>

class TLTimer {
public:
    TLTimer() { Restart(); }
    void Restart() { start_ = std::chrono::steady_clock::now(); }
    int64_t ElapsedMilliseconds() const {
        return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start_).count();
    }

private:
    std::chrono::steady_clock::time_point start_;
};
