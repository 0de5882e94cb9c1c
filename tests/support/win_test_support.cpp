#include "tests/support/win_test_support.h"

#include <gtest/gtest.h>

#include <string>

namespace tltest {
namespace {

// Wine shows the Linux root as drive Z:.
TLString UnixToWindows(std::string_view unix_path, std::u16string_view relative) {
    TLString path = u"Z:" + TLString::FromUtf8(unix_path);
    path.Replace(u"/", u"\\");
    path.EnsureTrailingBackslash();
    TLString rest(relative);
    rest.Replace(u"/", u"\\");
    return path + rest;
}

TLString TestFolderName() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    TLString name = info ? TLString::FromUtf8(std::string(info->test_suite_name()) + "." + info->name()) : u"global";
    for (const char16_t bad : std::u16string_view(u"/\\:*?\"<>|")) name.Replace(std::u16string_view(&bad, 1), u"_");
    return name;
}

}  // namespace

TLString BuildPath(std::u16string_view relative) { return UnixToWindows(TL_BUILD_DIR, relative); }
TLString SourcePath(std::u16string_view relative) { return UnixToWindows(TL_SOURCE_DIR, relative); }

bool FileExists(const TLString& path) { return GetFileAttributesW(path.wc()) != INVALID_FILE_ATTRIBUTES; }

bool MakeFolders(const TLString& folder) {
    TLString path = folder;
    path.EnsureTrailingBackslash();
    for (size_t i = 3; i < path.length(); ++i) {
        if (path[i] != u'\\') continue;
        const TLString part = path.Left(i);
        if (!CreateDirectoryW(part.wc(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) return false;
    }
    return true;
}

void DeleteTree(const TLString& folder) {
    TLString base = folder;
    base.EnsureTrailingBackslash();
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((base + u"*").wc(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const TLString name(data.cFileName);
            if (name == u"." || name == u"..") continue;
            const TLString path = base + name;
            SetFileAttributesW(path.wc(), FILE_ATTRIBUTE_NORMAL);
            const bool link = data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT;
            if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && !link)
                DeleteTree(path);
            else if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveDirectoryW(path.wc());
            else
                DeleteFileW(path.wc());
        } while (FindNextFileW(find, &data));
        FindClose(find);
    }
    RemoveDirectoryW(folder.wc());
}

std::string ReadFileBytes(const TLString& path) {
    HANDLE file = CreateFileW(path.wc(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return {};
    std::string bytes;
    char chunk[65536];
    DWORD read = 0;
    while (ReadFile(file, chunk, sizeof chunk, &read, nullptr) && read) bytes.append(chunk, read);
    CloseHandle(file);
    return bytes;
}

bool CopyTree(const TLString& source, const TLString& target) {
    TLString from = source;
    TLString to = target;
    from.EnsureTrailingBackslash();
    to.EnsureTrailingBackslash();
    if (!MakeFolders(to)) return false;
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((from + u"*").wc(), &data);
    if (find == INVALID_HANDLE_VALUE) return false;
    bool ok = true;
    do {
        const TLString name(reinterpret_cast<const char16_t*>(data.cFileName));
        if (name == u"." || name == u"..") continue;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            ok = CopyTree(from + name, to + name) && ok;
        else
            ok = CopyFileW((from + name).wc(), (to + name).wc(), FALSE) && ok;
    } while (FindNextFileW(find, &data));
    FindClose(find);
    return ok;
}

TLString LogFilePath() {
    wchar_t folder[MAX_PATH + 1];
    const DWORD length = GetTempPathW(MAX_PATH + 1, folder);
    TLString path(std::u16string_view(reinterpret_cast<const char16_t*>(folder), length));
    return path.EnsureTrailingBackslash() + u"Tonehall Setup.log";
}

uint64_t LogFileSize() {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(LogFilePath().wc(), GetFileExInfoStandard, &data)) return 0;
    return (uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
}

TLStringArray LogLinesOf(DWORD process_id, uint64_t from) {
    const std::string bytes = ReadFileBytes(LogFilePath());
    const TLString text = TLString::FromUtf8(from < bytes.size() ? std::string_view(bytes).substr(from) : "");
    const TLString marker = TLString::Format(u" [%d] ", static_cast<int>(process_id));
    TLStringArray lines;
    size_t start = 0;
    while (start < text.length()) {
        size_t end = text.Find(u'\n', start);
        if (end == TLString::npos) end = text.length();
        TLString line = text.Mid(start, end - start);
        line.TrimRight();
        if (line.Find(marker.view()) != TLString::npos) lines.Add(line);
        start = end + 1;
    }
    return lines;
}

bool LogContains(DWORD process_id, std::u16string_view text, uint64_t from) {
    const TLStringArray lines = LogLinesOf(process_id, from);
    for (size_t i = 0; i < lines.GetCount(); ++i)
        if (lines[i].Find(text) != TLString::npos) return true;
    return false;
}

ScratchFolder::ScratchFolder() : path_(u"C:\\tltest\\" + TestFolderName() + u"\\") {
    DeleteTree(path_);
    MakeFolders(path_);
}

ScratchFolder::~ScratchFolder() { DeleteTree(path_); }

bool ScratchFolder::WriteFile(std::u16string_view relative, std::string_view bytes) const {
    const TLString path = Path(relative);
    MakeFolders(path.Left(path.ReverseFind(u'\\')));
    HANDLE file = CreateFileW(path.wc(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool ok =
        ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) && written == bytes.size();
    CloseHandle(file);
    return ok;
}

bool ScratchFolder::CopyIn(const TLString& source, std::u16string_view relative) const {
    const TLString target = Path(relative);
    MakeFolders(target.Left(target.ReverseFind(u'\\')));
    return CopyFileW(source.wc(), target.wc(), FALSE);
}

RegistryCleanup::RegistryCleanup(HKEY root, std::u16string_view subkey) : root_(root), subkey_(subkey) {
    RegDeleteTreeW(root_, subkey_.wc());
}

RegistryCleanup::~RegistryCleanup() { RegDeleteTreeW(root_, subkey_.wc()); }

namespace {

bool ReadRegistryValue(HKEY root, std::u16string_view subkey, std::u16string_view name, DWORD* type,
                       std::u16string* data) {
    HKEY key;
    if (RegOpenKeyExW(root, TLString(subkey).wc(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    DWORD size = 0;
    const TLString value_name(name);
    LONG result = RegQueryValueExW(key, value_name.wc(), nullptr, type, nullptr, &size);
    if (result == ERROR_SUCCESS) {
        data->assign(size / 2 + 1, u'\0');
        result = RegQueryValueExW(key, value_name.wc(), nullptr, type, reinterpret_cast<BYTE*>(data->data()), &size);
    }
    RegCloseKey(key);
    return result == ERROR_SUCCESS;
}

}  // namespace

bool ReadRegistryString(HKEY root, std::u16string_view subkey, std::u16string_view name, TLString* value) {
    DWORD type = 0;
    std::u16string data;
    if (!ReadRegistryValue(root, subkey, name, &type, &data) || (type != REG_SZ && type != REG_EXPAND_SZ)) return false;
    *value = TLString(data.c_str());
    return true;
}

bool WriteRegistryString(HKEY root, std::u16string_view subkey, std::u16string_view name, const TLString& value,
                         REGSAM view) {
    HKEY key;
    if (RegCreateKeyExW(root, TLString(subkey).wc(), 0, nullptr, 0, KEY_WRITE | view, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return false;
    const TLString value_name(name);
    const LONG result = RegSetValueExW(key, name.empty() ? nullptr : value_name.wc(), 0, REG_SZ,
                                       reinterpret_cast<const BYTE*>(value.c_str()),
                                       static_cast<DWORD>((value.length() + 1) * sizeof(char16_t)));
    RegCloseKey(key);
    return result == ERROR_SUCCESS;
}

bool ReadRegistryDword(HKEY root, std::u16string_view subkey, std::u16string_view name, DWORD* value) {
    DWORD type = 0;
    std::u16string data;
    if (!ReadRegistryValue(root, subkey, name, &type, &data) || type != REG_DWORD) return false;
    *value = static_cast<DWORD>(data[0]) | (static_cast<DWORD>(data[1]) << 16);
    return true;
}

HeldInstallerMutex::HeldInstallerMutex(bool locked) {
    SECURITY_DESCRIPTOR descriptor;
    InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION);
    ACL empty;
    InitializeAcl(&empty, sizeof empty, ACL_REVISION);
    SetSecurityDescriptorDacl(&descriptor, TRUE, &empty, FALSE);
    SECURITY_ATTRIBUTES attributes{sizeof attributes, &descriptor, FALSE};
    mutex_ = CreateMutexW(locked ? &attributes : nullptr, FALSE, L"Global\\Corvane Installer");
}

HeldInstallerMutex::~HeldInstallerMutex() {
    if (mutex_) CloseHandle(mutex_);
}

namespace {

// The job of every program the test starts; closing its last handle (at the latest when the test's
// process ends, however it ends) ends them all.
HANDLE ProgramsJob() {
    static const HANDLE job = [] {
        // Wine starts the desktop's own process for the first program that needs the desktop. That
        // must be the test itself, outside the job, or ending the job would take the desktop along.
        GetDesktopWindow();
        HANDLE created = CreateJobObjectW(nullptr, nullptr);
        JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
        limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
        SetInformationJobObject(created, JobObjectExtendedLimitInformation, &limits, sizeof limits);
        return created;
    }();
    return job;
}

// Starts the program with the command line "program" arguments, as a shell would, inside the job.
bool StartProcess(const TLString& program, std::u16string_view arguments, DWORD flags, const TLString& working_folder,
                  PROCESS_INFORMATION* info) {
    TLString command = u"\"" + program + u"\"";
    if (!arguments.empty()) command += u" " + TLString(arguments);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    auto* writable = reinterpret_cast<wchar_t*>(command.GetBuffer(command.length()));
    const wchar_t* folder = working_folder.empty() ? nullptr : working_folder.wc();
    const HANDLE job = ProgramsJob();
    if (!CreateProcessW(program.wc(), writable, nullptr, nullptr, FALSE, flags | CREATE_SUSPENDED, nullptr, folder,
                        &startup, info))
        return false;
    // Suspended until it is in the job, so that nothing it starts escapes.
    AssignProcessToJobObject(job, info->hProcess);
    ResumeThread(info->hThread);
    return true;
}

}  // namespace

StartedProgram::StartedProgram(const TLString& program, std::u16string_view arguments, const TLString& working_folder) {
    PROCESS_INFORMATION info{};
    if (StartProcess(program, arguments, 0, working_folder, &info)) {
        CloseHandle(info.hThread);
        process_ = info.hProcess;
        id_ = info.dwProcessId;
    }
}

StartedProgram::~StartedProgram() {
    if (!process_) return;
    if (WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) TerminateProcess(process_, 1);
    CloseHandle(process_);
}

ProgramResult StartedProgram::Wait(DWORD timeout_ms) {
    ProgramResult result;
    result.started = process_ != nullptr;
    if (!process_) return result;
    result.finished = WaitForSingleObject(process_, timeout_ms) == WAIT_OBJECT_0;
    if (!result.finished) {
        TerminateProcess(process_, 1);
        WaitForSingleObject(process_, 5000);
    }
    GetExitCodeProcess(process_, &result.exit_code);
    return result;
}

ProgramResult RunAndWait(const TLString& program, std::u16string_view arguments, DWORD timeout_ms,
                         const TLString& working_folder) {
    StartedProgram started(program, arguments, working_folder);
    return started.Wait(timeout_ms);
}

namespace {

TLString ReadDebugString(HANDLE process, const OUTPUT_DEBUG_STRING_INFO& info) {
    const size_t unit = info.fUnicode ? 2 : 1;
    std::string bytes(static_cast<size_t>(info.nDebugStringLength) * unit, '\0');
    SIZE_T read = 0;
    if (!ReadProcessMemory(process, info.lpDebugStringData, bytes.data(), bytes.size(), &read)) return TLString();
    bytes.resize(read);
    TLString text =
        info.fUnicode ? TLString(std::u16string_view(reinterpret_cast<const char16_t*>(bytes.data()), bytes.size() / 2))
                      : TLString::FromUtf8(bytes);
    while (!text.empty() && text.Last() == u'\0') text.Truncate(text.length() - 1);
    return text;
}

// Handles one debug event of the run and lets the program go on; true when it was the program's end.
bool HandleDebugEvent(const DEBUG_EVENT& event, const PROCESS_INFORMATION& info, DebuggedRun& run) {
    DWORD status = DBG_CONTINUE;
    switch (event.dwDebugEventCode) {
        case CREATE_PROCESS_DEBUG_EVENT:
            if (event.u.CreateProcessInfo.hFile) CloseHandle(event.u.CreateProcessInfo.hFile);
            break;
        case LOAD_DLL_DEBUG_EVENT:
            if (event.u.LoadDll.hFile) CloseHandle(event.u.LoadDll.hFile);
            break;
        case OUTPUT_DEBUG_STRING_EVENT:
            run.debug_strings.Add(ReadDebugString(info.hProcess, event.u.DebugString));
            break;
        case EXCEPTION_DEBUG_EVENT:
            if (event.u.Exception.ExceptionRecord.ExceptionCode != EXCEPTION_BREAKPOINT)
                status = DBG_EXCEPTION_NOT_HANDLED;
            break;
        default:
            break;
    }
    ContinueDebugEvent(event.dwProcessId, event.dwThreadId, status);
    return event.dwDebugEventCode == EXIT_PROCESS_DEBUG_EVENT && event.dwProcessId == info.dwProcessId;
}

// Handles debug events until the program ends (true) or the deadline passes.
bool DebugUntil(ULONGLONG deadline, const PROCESS_INFORMATION& info, DebuggedRun& run) {
    for (ULONGLONG now = GetTickCount64(); now < deadline; now = GetTickCount64()) {
        DEBUG_EVENT event;
        if (WaitForDebugEvent(&event, static_cast<DWORD>(deadline - now))) {
            if (HandleDebugEvent(event, info, run)) return true;
        } else if (GetLastError() != ERROR_SEM_TIMEOUT) {
            return false;
        }
    }
    return false;
}

}  // namespace

DebuggedRun RunUnderDebugger(const TLString& program, std::u16string_view arguments, DWORD timeout_ms) {
    DebuggedRun run;
    PROCESS_INFORMATION info{};
    if (!StartProcess(program, arguments, DEBUG_ONLY_THIS_PROCESS, TLString(), &info)) return run;
    run.result.started = true;
    CloseHandle(info.hThread);
    run.result.finished = DebugUntil(GetTickCount64() + timeout_ms, info, run);
    if (!run.result.finished) {
        // A debugged program ends only once its debugger has seen it end.
        TerminateProcess(info.hProcess, 1);
        DebugUntil(GetTickCount64() + 10000, info, run);
    }
    WaitForSingleObject(info.hProcess, 5000);
    GetExitCodeProcess(info.hProcess, &run.result.exit_code);
    CloseHandle(info.hProcess);
    return run;
}

namespace {

void SnapshotKey(HKEY key, const std::string& path, TreeSnapshot& out) {
    out[path] = "(key)";
    for (DWORD index = 0;; ++index) {
        wchar_t name[16384];
        DWORD name_length = 16384, type = 0, size = 0;
        if (RegEnumValueW(key, index, name, &name_length, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) break;
        std::string bytes(size, '\0');
        name_length = 16384;
        RegEnumValueW(key, index, name, &name_length, nullptr, &type, reinterpret_cast<BYTE*>(bytes.data()), &size);
        out[path + "|" + TLString(reinterpret_cast<const char16_t*>(name)).ToUtf8()] =
            std::to_string(type) + ":" + bytes.substr(0, size);
    }
    for (DWORD index = 0;; ++index) {
        wchar_t name[256];
        DWORD name_length = 256;
        if (RegEnumKeyExW(key, index, name, &name_length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        HKEY subkey = nullptr;
        if (RegOpenKeyExW(key, name, 0, KEY_READ, &subkey) != ERROR_SUCCESS) continue;
        SnapshotKey(subkey, path + "\\" + TLString(reinterpret_cast<const char16_t*>(name)).ToUtf8(), out);
        RegCloseKey(subkey);
    }
}

void SnapshotFolder(const TLString& folder, const std::string& path, TreeSnapshot& out) {
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((folder + u"\\*").wc(), &data);
    if (find == INVALID_HANDLE_VALUE) return;
    do {
        const TLString name(reinterpret_cast<const char16_t*>(data.cFileName));
        if (name == u"." || name == u"..") continue;
        const std::string relative = path + "\\" + name.ToUtf8();
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            out[relative] = "(folder)";
            SnapshotFolder(folder + u"\\" + name, relative, out);
        } else {
            out[relative] = ReadFileBytes(folder + u"\\" + name);
        }
    } while (FindNextFileW(find, &data));
    FindClose(find);
}

}  // namespace

TreeSnapshot RegistrySnapshot(HKEY root, std::u16string_view key) {
    TreeSnapshot out;
    HKEY opened = nullptr;
    if (RegOpenKeyExW(root, TLString(key).wc(), 0, KEY_READ, &opened) != ERROR_SUCCESS) return out;
    SnapshotKey(opened, "", out);
    RegCloseKey(opened);
    return out;
}

TreeSnapshot FolderSnapshot(const TLString& folder) {
    TreeSnapshot out;
    TLString bare = folder;
    bare.RemoveTrailingBackslashes();
    SnapshotFolder(bare, "", out);
    return out;
}

}  // namespace tltest
