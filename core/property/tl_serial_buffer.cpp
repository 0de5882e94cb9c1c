#include "tl_serial_buffer.h"

void TLSerialBuffer::WriteUInt32(uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) bytes_.push_back(static_cast<uint8_t>(value >> shift));
}

void TLSerialBuffer::WriteString(std::u16string_view text) {
    WriteUInt32(static_cast<uint32_t>(text.size()));
    for (char16_t c : text) {
        bytes_.push_back(static_cast<uint8_t>(c));
        bytes_.push_back(static_cast<uint8_t>(c >> 8));
    }
}

bool TLSerialBuffer::ReadUInt32(size_t& position, uint32_t& value) const {
    if (position > bytes_.size() || bytes_.size() - position < 4) return false;
    value = 0;
    for (int i = 3; i >= 0; --i) value = (value << 8) | bytes_[position + i];
    position += 4;
    return true;
}

bool TLSerialBuffer::ReadString(size_t& position, TLString& text) const {
    size_t at = position;
    uint32_t length = 0;
    if (!ReadUInt32(at, length) || (bytes_.size() - at) / 2 < length) return false;
    text.Clear();
    char16_t* out = text.GetBuffer(length);
    for (uint32_t i = 0; i < length; ++i, at += 2) out[i] = static_cast<char16_t>(bytes_[at] | (bytes_[at + 1] << 8));
    text.ReleaseBuffer(length);
    position = at;
    return true;
}
