#pragma once
// A reader of one http or https address on Windows' own HTTP client (WinHTTP), used synchronously:
// redirects are followed, the body arrives as the server sends it (a gzip body stays compressed).

#include <windows.h>
#include <winhttp.h>

#include <atomic>
#include <mutex>
#include <string>
#include <vector>

#include "core/tools/reader_interface.h"

namespace tlreader {

class CHttpReader final : public tltools::IReader {
public:
    // Null when the address is no http or https URL.
    static CHttpReader* Create(const TLString& address);
    ~CHttpReader();

    bool Open() override;
    int64_t ContentLength() override;
    int Read(void* buffer, int size) override;
    void Close() override;
    TLString GetProperty(const TLString& name) override;
    void SetRequestHeader(const TLString& name, const TLString& value) override;
    void SetRequestMethod(const TLString& method, const void* data, int length) override;
    void SetTimeout(int milliseconds) override;
    void Release() override { delete this; }

private:
    explicit CHttpReader(const TLString& address) : address_(address) {}
    TLString QueryHeader(DWORD which) const;
    void Fail(const char16_t* step);

    TLString address_;
    TLString method_ = u"GET";
    std::vector<char> data_;
    TLString headers_;
    int timeout_ms_ = 20000;
    TLString status_code_;
    TLString status_text_;
    // Close may come from another thread while Read waits: the handles are closed once, under the
    // lock, and a closed reader reads no more.
    std::mutex handles_lock_;
    std::atomic<bool> closed_{false};
    HINTERNET session_ = nullptr;
    HINTERNET connection_ = nullptr;
    HINTERNET request_ = nullptr;
};

}  // namespace tlreader
