#pragma once
// What the copy tests need beside the common Wine helpers: files held open the way a running program
// holds them, and Windows' list of renames for the next start.

#include <windows.h>

#include <string>
#include <vector>

#include "core/string/tl_string.h"
#include "core/string/tl_string_array.h"

namespace tltest {

// The strings as UTF-8, sorted: for comparing lists whose order the file system decides.
std::vector<std::string> Sorted(const TLStringArray& strings);

// Opens a file without sharing, so that copying over it, deleting or reading it fails with a sharing
// violation until the object ends (or Release is called).
class HeldFile {
public:
    explicit HeldFile(const TLString& path);
    ~HeldFile() { Release(); }
    HeldFile(const HeldFile&) = delete;
    HeldFile& operator=(const HeldFile&) = delete;
    bool held() const { return handle_ != INVALID_HANDLE_VALUE; }
    void Release();

private:
    HANDLE handle_;
};

// Runs a console program of the prefix and returns what it wrote to its standard output (UTF-8).
std::string CaptureOutput(const TLString& command_line, DWORD timeout_ms = 60000);

// PendingFileRenameOperations as one text, its entries separated by "\n".
TLString PendingRenames();

// Keeps PendingFileRenameOperations as it was before the test and puts it back afterwards, so that no
// test leaves renames behind for the next start of the prefix.
class PendingRenamesGuard {
public:
    PendingRenamesGuard();
    ~PendingRenamesGuard();
    PendingRenamesGuard(const PendingRenamesGuard&) = delete;
    PendingRenamesGuard& operator=(const PendingRenamesGuard&) = delete;

private:
    std::u16string saved_;
    bool existed_ = false;
};

}  // namespace tltest
