#include "core/windows/system_message.h"

namespace tlwin {

TLString SystemMessage(DWORD error) {
    wchar_t* buffer = nullptr;
    const DWORD length =
        FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, error, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    TLString message = length ? TLString(buffer, length) : TLString();
    if (buffer) LocalFree(buffer);
    message.TrimRight();
    return message.empty() ? TLString::Format(u"Error %d", static_cast<int>(error)) : message;
}

}  // namespace tlwin
