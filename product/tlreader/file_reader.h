#pragma once
// A reader of one local file or network path (a "file:" URL is taken as its path).

#include <windows.h>

#include <atomic>

#include "core/tools/reader_interface.h"

namespace tlreader {

class CFileReader final : public tltools::IReader {
public:
    explicit CFileReader(const TLString& address);
    ~CFileReader() { Close(); }

    bool Open() override;
    int64_t ContentLength() override;
    int Read(void* buffer, int size) override;
    void Close() override;
    TLString GetProperty(const TLString& name) override;
    void SetRequestHeader(const TLString&, const TLString&) override {}
    void SetRequestMethod(const TLString&, const void*, int) override {}
    void SetTimeout(int) override {}
    void Release() override { delete this; }

private:
    TLString path_;
    TLString status_text_;
    std::atomic<HANDLE> file_{INVALID_HANDLE_VALUE};
};

}  // namespace tlreader
