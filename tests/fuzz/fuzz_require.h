#pragma once
// A broken invariant ends the fuzzing run with the reason; libFuzzer keeps the input that did it.

#include <cstdio>
#include <cstdlib>

inline void Require(bool holds, const char* invariant) {
    if (holds) return;
    std::fprintf(stderr, "invariant broken: %s\n", invariant);
    std::abort();
}
