#include "wizard/environment_seams.h"

#include <windows.h>

#include <iterator>

#include "core/string/tl_string.h"

namespace seams {
namespace {

std::optional<int64_t> NumberFromEnvironment(const char16_t* name) {
    wchar_t value[32];
    const DWORD length =
        GetEnvironmentVariableW(reinterpret_cast<const wchar_t*>(name), value, static_cast<DWORD>(std::size(value)));
    if (length == 0 || length >= std::size(value)) return std::nullopt;
    return TLString(value, length).ToInt64();
}

}  // namespace

std::optional<int64_t> FreeBytes() { return NumberFromEnvironment(kFreeBytesVariable); }

unsigned CountdownTickMs() {
    const std::optional<int64_t> tick = NumberFromEnvironment(kCountdownTickVariable);
    return tick && *tick > 0 && *tick < 1000 ? static_cast<unsigned>(*tick) : 1000;
}

}  // namespace seams
