#pragma once
// The log file a distributor names on the command line ("/Log=<file>"): the same lines as the general
// log, written by this process alone, so that a deployment tool finds one run's log where it asked.

#include <windows.h>

#include "core/tools/tools.h"

namespace tools {

class LogFileCopy final : public ILogCopy {
public:
    LogFileCopy() = default;
    LogFileCopy(const LogFileCopy&) = delete;
    LogFileCopy& operator=(const LogFileCopy&) = delete;
    ~LogFileCopy();

    // Makes the file's folders and the file itself, emptied; a relative path starts at the current
    // folder. False, with the Windows error code in `error`, when either cannot be made; the run goes
    // on with the general log alone.
    bool Open(const TLString& path, DWORD& error);
    // Starts the file with this process's lines that the general log at `general_log` holds already
    // (those the tools library wrote while it loaded).
    void CopyEarlierLines(const TLString& general_log);
    void Write(int kind, std::u16string_view function, const TLString& text) override;

private:
    void WriteBytes(const std::string& bytes);

    HANDLE file_ = INVALID_HANDLE_VALUE;
};

}  // namespace tools
