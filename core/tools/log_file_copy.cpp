#include "core/tools/log_file_copy.h"

#include <iterator>
#include <string>

#include "core/windows/full_path.h"
#include "core/windows/tl_file_system.h"

namespace tools {
namespace {

constexpr const char16_t* kKindNames[] = {u"info", u"warning", u"error", u"trace"};

// This process's first lines are at the end of the general log, which every run of the product
// lengthens: only its last part is read, from the first whole line in it.
constexpr LONGLONG kTailBytes = 64 * 1024;

std::string ReadTail(const TLString& path) {
    HANDLE file = CreateFileW(path.wc(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return {};
    LARGE_INTEGER size{};
    GetFileSizeEx(file, &size);
    LARGE_INTEGER start{};
    start.QuadPart = size.QuadPart > kTailBytes ? size.QuadPart - kTailBytes : 0;
    SetFilePointerEx(file, start, nullptr, FILE_BEGIN);
    std::string bytes;
    char buffer[16 * 1024];
    DWORD read = 0;
    while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read) bytes.append(buffer, read);
    CloseHandle(file);
    if (start.QuadPart > 0) {
        const size_t line_end = bytes.find('\n');
        bytes.erase(0, line_end == std::string::npos ? bytes.size() : line_end + 1);
    }
    return bytes;
}

}  // namespace

LogFileCopy::~LogFileCopy() {
    if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
}

bool LogFileCopy::Open(const TLString& named_path, DWORD& error) {
    error = ERROR_SUCCESS;
    // A name without a folder is the caller's current folder, as the deployment tool that wrote it meant.
    const TLString path = tlwin::FullPath(named_path);
    if (!tlwin::TLFileSystem::MakeDirectoryTree(path, true)) {
        error = GetLastError();
        if (error == ERROR_SUCCESS) error = ERROR_PATH_NOT_FOUND;
        return false;
    }
    file_ = CreateFileW(path.wc(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, CREATE_ALWAYS,
                        FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file_ != INVALID_HANDLE_VALUE) return true;
    error = GetLastError();
    return false;
}

void LogFileCopy::CopyEarlierLines(const TLString& general_log) {
    if (file_ == INVALID_HANDLE_VALUE) return;
    const std::string bytes = ReadTail(general_log);
    const std::string mark = " [" + std::to_string(GetCurrentProcessId()) + "] ";
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find('\n', start);
        end = end == std::string::npos ? bytes.size() : end + 1;
        const std::string_view line(bytes.data() + start, end - start);
        if (line.find(mark) != std::string_view::npos && line.back() == '\n') WriteBytes(std::string(line));
        start = end;
    }
}

void LogFileCopy::Write(int kind, std::u16string_view function, const TLString& text) {
    if (file_ == INVALID_HANDLE_VALUE) return;
    SYSTEMTIME now;
    GetLocalTime(&now);
    const char16_t* kind_name =
        kind >= 0 && kind < static_cast<int>(std::size(kKindNames)) ? kKindNames[kind] : u"info";
    WriteBytes(TLString::Format(u"%04d-%02d-%02d %02d:%02d:%02d.%03d [%d] %s %s: %s\r\n", now.wYear, now.wMonth,
                                now.wDay, now.wHour, now.wMinute, now.wSecond, now.wMilliseconds,
                                static_cast<int>(GetCurrentProcessId()), kind_name, TLString(function), text)
                   .ToUtf8());
}

void LogFileCopy::WriteBytes(const std::string& bytes) {
    DWORD written = 0;
    WriteFile(file_, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

}  // namespace tools
