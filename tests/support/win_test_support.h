#pragma once
// Helpers for the tests that run under Wine.

#include <windows.h>

#include <cstdint>
#include <map>
#include <string>

#include "core/string/tl_string.h"
#include "core/string/tl_string_array.h"

namespace tltest {

// The Windows path of a file the build made or of a file in the source tree ("app/Setup.exe").
TLString BuildPath(std::u16string_view relative);
TLString SourcePath(std::u16string_view relative);

// A fresh, empty folder under C:\tltest named after the running test; removed again at the end.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    // The folder, with a trailing backslash.
    const TLString& path() const { return path_; }
    TLString Path(std::u16string_view relative) const { return path_ + relative; }
    // Writes bytes to a file below the folder, making the folders on the way.
    bool WriteFile(std::u16string_view relative, std::string_view bytes) const;
    bool CopyIn(const TLString& source, std::u16string_view relative) const;

private:
    TLString path_;
};

// Reads a whole file; empty when it cannot be read.
std::string ReadFileBytes(const TLString& path);
bool FileExists(const TLString& path);
// Makes every folder of the path (which names a folder, with or without a trailing backslash).
bool MakeFolders(const TLString& folder);
// Deletes a folder tree, clearing read-only attributes on the way.
void DeleteTree(const TLString& folder);

// Copies a folder tree into another folder (made when missing).
bool CopyTree(const TLString& source, const TLString& target);

// The product's log ("Tonehall Setup.log" in %TEMP%) and how long it is now.
TLString LogFilePath();
uint64_t LogFileSize();
// The lines that process `process_id` wrote into the log after its first `from` bytes (process ids
// come round again, so a test reads only what was written while it ran).
TLStringArray LogLinesOf(DWORD process_id, uint64_t from);
// Whether one of those lines contains `text`.
bool LogContains(DWORD process_id, std::u16string_view text, uint64_t from);

// Deletes a registry key tree when created and again when destroyed, so a test starts and ends clean.
class RegistryCleanup {
public:
    RegistryCleanup(HKEY root, std::u16string_view subkey);
    ~RegistryCleanup();
    RegistryCleanup(const RegistryCleanup&) = delete;
    RegistryCleanup& operator=(const RegistryCleanup&) = delete;

private:
    HKEY root_;
    TLString subkey_;
};

// A registry string value, or nothing when the key or value is absent.
bool ReadRegistryString(HKEY root, std::u16string_view subkey, std::u16string_view name, TLString* value);
// Writes a string value, making the key when it is missing; `view` may pick a registry view.
bool WriteRegistryString(HKEY root, std::u16string_view subkey, std::u16string_view name, const TLString& value,
                         REGSAM view = 0);
bool ReadRegistryDword(HKEY root, std::u16string_view subkey, std::u16string_view name, DWORD* value);

// What a registry key tree or a folder tree holds, to compare before and after: every key (or
// folder) by its path below the top, and every value (or file) with its type and bytes. A missing
// top gives nothing.
using TreeSnapshot = std::map<std::string, std::string>;
TreeSnapshot RegistrySnapshot(HKEY root, std::u16string_view key);
TreeSnapshot FolderSnapshot(const TLString& folder);

// Holds the installer's single-instance mutex ("Global\Corvane Installer") as a running installer
// would, for as long as it lives. Locked, nobody else may even open it (as when another user's
// installer holds it).
class HeldInstallerMutex {
public:
    explicit HeldInstallerMutex(bool locked = false);
    ~HeldInstallerMutex();
    HeldInstallerMutex(const HeldInstallerMutex&) = delete;
    HeldInstallerMutex& operator=(const HeldInstallerMutex&) = delete;

    bool held() const { return mutex_ != nullptr; }

private:
    HANDLE mutex_;
};

struct ProgramResult {
    bool started = false;
    bool finished = false;  // false when the timeout ran out; the process is then terminated
    DWORD exit_code = 0;
};

// Every program a test starts (below) runs in one job that ends with the test's process, so that a test
// which crashes or which ctest ends at its time limit leaves nothing running behind it.

// Starts `program` with the command line "program" arguments and waits for it.
ProgramResult RunAndWait(const TLString& program, std::u16string_view arguments, DWORD timeout_ms = 60000,
                         const TLString& working_folder = TLString());

// Runs `program` as its debugger would and collects what it writes with OutputDebugString until it
// ends; a quiet spell does not end the wait, only the program's end or the timeout does.
struct DebuggedRun {
    ProgramResult result;
    TLStringArray debug_strings;
};
DebuggedRun RunUnderDebugger(const TLString& program, std::u16string_view arguments, DWORD timeout_ms = 60000);

// A started program that the test waits for later (while it interacts with it).
class StartedProgram {
public:
    StartedProgram(const TLString& program, std::u16string_view arguments, const TLString& working_folder = TLString());
    ~StartedProgram();  // terminates the program if it still runs
    bool started() const { return process_ != nullptr; }
    DWORD id() const { return id_; }
    // The log's length when the program was started.
    uint64_t log_start() const { return log_start_; }
    ProgramResult Wait(DWORD timeout_ms = 60000);

private:
    HANDLE process_ = nullptr;
    DWORD id_ = 0;
    uint64_t log_start_ = LogFileSize();
};

// What a started program wrote into the log.
inline TLStringArray LogLinesOf(const StartedProgram& program) { return LogLinesOf(program.id(), program.log_start()); }
inline bool LogContains(const StartedProgram& program, std::u16string_view text) {
    return LogContains(program.id(), text, program.log_start());
}

}  // namespace tltest
