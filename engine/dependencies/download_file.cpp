#include "engine/dependencies/download_file.h"

#include "core/tools/tools.h"
#include "engine/filesystem/tl_file_system.h"

namespace engine {

bool CDownloadFile::Create(const TLString& target) {
    Discard();
    if (target.empty()) return false;
    target_ = target;
    made_ = true;
    if (!TLFileSystem::MakeDirectoryTree(target, true)) return false;
    file_ = CreateFileW(PartialName(target).wc(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                        nullptr);
    return file_ != INVALID_HANDLE_VALUE;
}

bool CDownloadFile::Write(const char* data, int size) {
    DWORD written = 0;
    if (file_ == INVALID_HANDLE_VALUE || !WriteFile(file_, data, static_cast<DWORD>(size), &written, nullptr) ||
        written != static_cast<DWORD>(size))
        return false;
    hash_.Update(data, static_cast<size_t>(size));
    return true;
}

void CDownloadFile::CloseFile() {
    if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
    file_ = INVALID_HANDLE_VALUE;
}

bool CDownloadFile::Keep() {
    if (file_ == INVALID_HANDLE_VALUE) return false;
    // Only a file whose every byte reached the disk becomes the target.
    const bool flushed = FlushFileBuffers(file_);
    CloseFile();
    if (!flushed || !MoveFileExW(PartialName(target_).wc(), target_.wc(), MOVEFILE_REPLACE_EXISTING)) {
        tools::LogFormat(u"CDownloadFile::Keep", u"\"%s\" could not be put in place (error %d)", target_,
                         static_cast<int>(GetLastError()));
        Discard();
        return false;
    }
    made_ = false;
    return true;
}

void CDownloadFile::Discard() {
    CloseFile();
    if (!made_) return;
    made_ = false;
    DeleteFileW(PartialName(target_).wc());
}

}  // namespace engine
