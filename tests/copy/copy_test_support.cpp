#include "tests/copy/copy_test_support.h"

#include <algorithm>
#include <string>

#include "tests/support/win_test_support.h"

namespace tltest {
namespace {

constexpr wchar_t kSessionManager[] = L"SYSTEM\\CurrentControlSet\\Control\\Session Manager";
constexpr wchar_t kRenames[] = L"PendingFileRenameOperations";

bool ReadRenames(std::u16string* data) {
    DWORD size = 0;
    if (RegGetValueW(HKEY_LOCAL_MACHINE, kSessionManager, kRenames, RRF_RT_REG_MULTI_SZ, nullptr, nullptr, &size) !=
        ERROR_SUCCESS)
        return false;
    data->assign(size / sizeof(char16_t), u'\0');
    return RegGetValueW(HKEY_LOCAL_MACHINE, kSessionManager, kRenames, RRF_RT_REG_MULTI_SZ, nullptr, data->data(),
                        &size) == ERROR_SUCCESS;
}

}  // namespace

std::vector<std::string> Sorted(const TLStringArray& strings) {
    std::vector<std::string> sorted;
    for (const TLString& s : strings) sorted.push_back(s.ToUtf8());
    std::sort(sorted.begin(), sorted.end());
    return sorted;
}

std::string CaptureOutput(const TLString& command_line, DWORD timeout_ms) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE read = nullptr, write = nullptr;
    if (!CreatePipe(&read, &write, &inherit, 0)) return std::string();
    SetHandleInformation(read, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = write;
    startup.hStdError = write;
    PROCESS_INFORMATION process{};
    std::u16string line(command_line.view());
    const BOOL started = CreateProcessW(nullptr, reinterpret_cast<wchar_t*>(line.data()), nullptr, nullptr, TRUE,
                                        CREATE_NO_WINDOW, nullptr, nullptr, &startup, &process);
    CloseHandle(write);
    // Reads only what is there while waiting for the program, so that a process it leaves behind
    // holding the pipe cannot block the test.
    std::string output;
    const auto drain = [&] {
        DWORD available = 0;
        while (PeekNamedPipe(read, nullptr, 0, nullptr, &available, nullptr) && available) {
            char buffer[4096];
            DWORD got = 0;
            if (!ReadFile(read, buffer, sizeof buffer < available ? sizeof buffer : available, &got, nullptr) || !got)
                break;
            output.append(buffer, got);
        }
    };
    if (started) {
        const ULONGLONG deadline = GetTickCount64() + timeout_ms;
        while (WaitForSingleObject(process.hProcess, 10) == WAIT_TIMEOUT && GetTickCount64() < deadline) drain();
        drain();
        CloseHandle(process.hProcess);
        CloseHandle(process.hThread);
    }
    CloseHandle(read);
    return output;
}

HeldFile::HeldFile(const TLString& path)
    : handle_(CreateFileW(path.wc(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr)) {}

void HeldFile::Release() {
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
    handle_ = INVALID_HANDLE_VALUE;
}

TLString PendingRenames() {
    std::u16string data;
    if (!ReadRenames(&data)) return TLString();
    while (!data.empty() && data.back() == u'\0') data.pop_back();
    for (char16_t& c : data)
        if (c == u'\0') c = u'\n';
    return TLString(data);
}

PendingRenamesGuard::PendingRenamesGuard() { existed_ = ReadRenames(&saved_); }

PendingRenamesGuard::~PendingRenamesGuard() {
    HKEY key;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kSessionManager, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) return;
    if (existed_)
        RegSetValueExW(key, kRenames, 0, REG_MULTI_SZ, reinterpret_cast<const BYTE*>(saved_.data()),
                       static_cast<DWORD>(saved_.size() * sizeof(char16_t)));
    else
        RegDeleteValueW(key, kRenames);
    RegCloseKey(key);
}

}  // namespace tltest
