#pragma once
// TLSerialBuffer: bytes that carry values between runs or components. A 32-bit count is written as
// four bytes, least significant first; a string as its 32-bit length in UTF-16 units followed by the
// units, each least significant byte first. Reads check every length against the bytes that remain,
// so a cut or hostile buffer fails cleanly instead of reading past its end.

#include <cstdint>
#include <vector>

#include "core/string/tl_string.h"

class TLSerialBuffer {
public:
    TLSerialBuffer() = default;
    explicit TLSerialBuffer(std::vector<uint8_t> bytes) : bytes_(std::move(bytes)) {}

    const std::vector<uint8_t>& Bytes() const { return bytes_; }

    void WriteUInt32(uint32_t value);
    void WriteString(std::u16string_view text);

    // Each read advances `position` only when it succeeds.
    bool ReadUInt32(size_t& position, uint32_t& value) const;
    bool ReadString(size_t& position, TLString& text) const;

private:
    std::vector<uint8_t> bytes_;
};
