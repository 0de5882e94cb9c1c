#include "tl_map.h"

uint32_t TLMapBase::BucketCountFor(size_t count_after) {
    if (count_after < 8) return 7;
    uint64_t power = 16;
    while (power <= count_after) power <<= 1;
    return static_cast<uint32_t>(power - 1);
}
