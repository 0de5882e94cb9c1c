#pragma once
// Traces one operation in the general log: "Start" when it begins, and when it ends "Finish (%d ms)"
// or, when the operation stored a result, "Finish (result: %d) (%d ms)", both under the
// operation's name.

#include <cstdint>
#include <string_view>

#include "core/string/tl_string.h"

class TLScopedTrace {
public:
    // Marks that no result was stored.
    static constexpr int kNoResult = static_cast<int>(0x8A33F231);

    explicit TLScopedTrace(std::u16string_view function);
    ~TLScopedTrace();
    TLScopedTrace(const TLScopedTrace&) = delete;
    TLScopedTrace& operator=(const TLScopedTrace&) = delete;

    void SetResult(int result) { result_ = result; }

private:
    TLString function_;
    int64_t start_ticks_ = 0;
    int result_ = kNoResult;
};
