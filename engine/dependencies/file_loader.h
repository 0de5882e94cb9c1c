#pragma once
// CFileLoader: fetches one resource, a local or shared file or a network address, into a file or into
// memory, through the reader library. It carries the request's options, keeps what the server said
// about the last request, decodes gzip bodies, answers "304" with the cached copy, and shows a
// progress window once a load has taken longer than its delay. One load at a time per loader.

#include <atomic>
#include <map>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "core/string/tl_string.h"
#include "core/tools/reader_interface.h"

namespace engine {

// The progress window of a load, made by whoever asked for the load.
class ILoadProgress {
public:
    virtual void Show(const TLString& title, const TLString& text) = 0;
    virtual void Update(const TLString& text, int position) = 0;
    virtual void Hide() = 0;
    // The window's own Cancel.
    virtual bool CancelRequested() = 0;

protected:
    ~ILoadProgress() = default;
};

class CFileLoader {
public:
    enum class Result { kLoaded, kNotModified, kCancelled, kFailed, kBusy };

    // Options: "HTTPREQUEST_TYPE" (the method), "INFO_HEADERS" (extra header lines, "\r\n" between),
    // "USE_CACHE" (any value), "RANGE_START" (resume from that byte), "If-Modified-Since".
    void SetOption(const TLString& name, const TLString& value);
    void RemoveOption(const TLString& name);
    bool HasOption(const TLString& name) const;
    TLString Option(const TLString& name) const;
    // Data to post: the method becomes "POST" and the headers announce XML, unless set already.
    void SetPostData(const void* data, int length);
    void SetProgress(ILoadProgress* window, const TLString& title, int delay_ms);
    void SetTimeout(int milliseconds) { timeout_ms_ = milliseconds; }
    // Loads without a target through the reader too, instead of reading a local file directly.
    void SetAlwaysUseReader(bool always) { always_use_reader_ = always; }

    // Fetches `address` into the file `target`, or with an empty target into `memory`. A failed or
    // cancelled load leaves `target` as it was before.
    Result Load(const TLString& address, const TLString& target, std::string* memory = nullptr);

    // Stops the running load from any thread: its reader is closed and the load ends as cancelled.
    // Returns at once; the load notices when it next looks.
    void Cancel();
    bool busy() const { return busy_; }

    // "Location", "AllHeaders" and "StatusCode" of the last request.
    TLString Property(const TLString& name) const;

private:
    Result LoadLocal(const TLString& address, std::string* memory);
    Result LoadThroughReader(const TLString& address, const TLString& target, std::string* memory);
    void ApplyOptions(tltools::IReader& reader, const TLString& address, bool cached_copy) const;
    void ReportProgress(bool network, int64_t done, int64_t total);

    std::vector<std::pair<TLString, TLString>> options_;
    std::vector<char> post_data_;
    TLString location_, all_headers_, status_code_;
    // "Last-Modified" of each address loaded with USE_CACHE, for the next request's
    // "If-Modified-Since".
    std::map<std::u16string, TLString> last_modified_;
    ILoadProgress* window_ = nullptr;
    TLString title_;
    TLString text_ = u"Working...";
    int delay_ms_ = 4000;
    int timeout_ms_ = 20000;
    bool always_use_reader_ = false;
    uint64_t started_ms_ = 0;
    bool window_shown_ = false;

    std::atomic<bool> busy_{false};
    std::atomic<bool> cancel_{false};
    std::mutex reader_lock_;
    tltools::IReader* open_reader_ = nullptr;
};

}  // namespace engine
