#pragma once
// SHA-256 of a stream of bytes, fed piece by piece as a download arrives.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/string/tl_string.h"

namespace engine {

class Sha256 {
public:
    Sha256();
    void Update(const void* data, size_t size);
    // The digest as 64 lower-case hexadecimal digits; the object is spent afterwards.
    std::string FinishHex();

private:
    void Block(const uint8_t* block);

    std::array<uint32_t, 8> state_;
    std::array<uint8_t, 64> buffer_{};
    size_t buffered_ = 0;
    uint64_t total_ = 0;
};

// Whether a digest matches the expected one as written by people: hexadecimal in either case,
// blanks around it ignored.
bool Sha256Matches(const TLString& expected, const std::string& digest_hex);

}  // namespace engine
