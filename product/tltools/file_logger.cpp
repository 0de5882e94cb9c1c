#include "product/tltools/file_logger.h"

#include <windows.h>

#include <iterator>

namespace tltools_dll {
namespace {

constexpr const char16_t* kKindNames[] = {u"info", u"warning", u"error", u"trace"};

}  // namespace

CFileLogger::CFileLogger() {
    wchar_t folder[MAX_PATH + 1];
    const DWORD length = GetTempPathW(MAX_PATH + 1, folder);
    path_ = TLString(std::u16string_view(reinterpret_cast<const char16_t*>(folder), length));
    path_.EnsureTrailingBackslash();
    path_ += u"Tonehall Setup.log";
}

void CFileLogger::Log(int kind, const TLString& function, const TLString& text) {
    SYSTEMTIME now;
    GetLocalTime(&now);
    const char16_t* kind_name =
        kind >= 0 && kind < static_cast<int>(std::size(kKindNames)) ? kKindNames[kind] : u"info";
    const TLString line = TLString::Format(u"%04d-%02d-%02d %02d:%02d:%02d.%03d [%d] %s %s: %s\r\n", now.wYear,
                                           now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond, now.wMilliseconds,
                                           static_cast<int>(GetCurrentProcessId()), kind_name, function, text);
    const std::string bytes = line.ToUtf8();
    // Opened for each line so that several processes can append to one file.
    HANDLE file = CreateFileW(path_.wc(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

}  // namespace tltools_dll
