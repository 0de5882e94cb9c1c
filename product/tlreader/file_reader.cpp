#include "product/tlreader/file_reader.h"

namespace tlreader {

CFileReader::CFileReader(const TLString& address) : path_(address) {
    if (path_.StartsWithNoCase(u"file:///")) path_ = path_.Mid(8);
    path_.Replace(u"/", u"\\");
}

bool CFileReader::Open() {
    const HANDLE file = CreateFileW(path_.wc(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        status_text_ = TLString::Format(u"Can not open the file (error %d)", static_cast<int>(GetLastError()));
        return false;
    }
    file_ = file;
    return true;
}

int64_t CFileReader::ContentLength() {
    LARGE_INTEGER size = {};
    return file_ != INVALID_HANDLE_VALUE && GetFileSizeEx(file_, &size) ? size.QuadPart : -1;
}

int CFileReader::Read(void* buffer, int size) {
    DWORD read = 0;
    const HANDLE file = file_;
    if (file == INVALID_HANDLE_VALUE || size < 0 || !ReadFile(file, buffer, static_cast<DWORD>(size), &read, nullptr))
        return -1;
    return static_cast<int>(read);
}

void CFileReader::Close() {
    const HANDLE file = file_.exchange(INVALID_HANDLE_VALUE);
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
}

TLString CFileReader::GetProperty(const TLString& name) {
    if (name == u"StatusText") return status_text_;
    if (name == u"Location") return path_;
    return TLString();
}

}  // namespace tlreader
