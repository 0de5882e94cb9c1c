#pragma once
// Reading Windows' answers that are written into the caller's buffer, whatever their length.

#include <windows.h>

#include <optional>
#include <string>

#include "core/string/tl_string.h"

namespace tlwin {

// `call(buffer, capacity)` answers the length it wrote, or, when the buffer was too small, the size it
// needs with the terminating zero; 0 when it failed. The buffer grows until the answer fits. What is
// asked may change between two calls (another thread sets TEMP), so only a few rounds are made.
// Nothing when the call failed.
template <typename Call>
std::optional<TLString> ReadGrowing(Call call) {
    std::u16string buffer(MAX_PATH + 1, u'\0');
    for (int round = 0; round < 8; ++round) {
        const DWORD capacity = static_cast<DWORD>(buffer.size());
        const DWORD length = call(reinterpret_cast<wchar_t*>(buffer.data()), capacity);
        if (length == 0) return std::nullopt;
        if (length < capacity) return TLString(std::u16string_view(buffer.data(), length));
        buffer.resize(length + 1);
    }
    return std::nullopt;
}

}  // namespace tlwin
