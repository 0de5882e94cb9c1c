#include "engine/dependencies/file_loader.h"

#include <windows.h>

#include <optional>

#include "core/tools/reader.h"
#include "core/tools/tools.h"
#include "engine/dependencies/body_transfer.h"
#include "engine/dependencies/download_file.h"
#include "engine/dependencies/download_rules.h"
#include "engine/process/run_program.h"

namespace engine {
namespace {

class MemorySink final : public IBodySink {
public:
    explicit MemorySink(std::string& memory) : memory_(memory) { memory_.clear(); }
    bool Write(const char* data, int size) override {
        memory_.append(data, static_cast<size_t>(size));
        return true;
    }

private:
    std::string& memory_;
};

// Splits "Name: value\r\nName: value" into the reader's request headers.
void AddHeaderLines(tltools::IReader& reader, const TLString& lines) {
    size_t start = 0;
    while (start < lines.length()) {
        size_t end = lines.Find(u"\r\n", start);
        if (end == TLString::npos) end = lines.length();
        const TLString line = lines.Mid(start, end - start);
        const size_t colon = line.Find(u":");
        if (colon != TLString::npos) {
            TLString name = line.Left(colon);
            TLString value = line.Mid(colon + 1);
            reader.SetRequestHeader(name.Trim(), value.Trim());
        }
        start = end + 2;
    }
}

}  // namespace

void CFileLoader::SetOption(const TLString& name, const TLString& value) {
    for (auto& option : options_)
        if (option.first.EqualsNoCase(name)) {
            option.second = value;
            return;
        }
    options_.emplace_back(name, value);
}

void CFileLoader::RemoveOption(const TLString& name) {
    std::erase_if(options_, [&](const auto& option) { return option.first.EqualsNoCase(name); });
}

bool CFileLoader::HasOption(const TLString& name) const {
    for (const auto& option : options_)
        if (option.first.EqualsNoCase(name)) return true;
    return false;
}

TLString CFileLoader::Option(const TLString& name) const {
    for (const auto& option : options_)
        if (option.first.EqualsNoCase(name)) return option.second;
    return TLString();
}

void CFileLoader::SetPostData(const void* data, int length) {
    const char* bytes = static_cast<const char*>(data);
    post_data_.assign(bytes, bytes + (data && length > 0 ? length : 0));
    const bool posting = !post_data_.empty();
    if (posting && !HasOption(u"HTTPREQUEST_TYPE")) SetOption(u"HTTPREQUEST_TYPE", u"POST");
    if (!HasOption(u"INFO_HEADERS"))
        SetOption(u"INFO_HEADERS", posting ? TLString(u"Content-Type: text/xml\r\nAccept-Encoding: gzip")
                                           : TLString(u"Accept-Encoding: gzip"));
}

void CFileLoader::SetProgress(ILoadProgress* window, const TLString& title, int delay_ms) {
    window_ = window;
    title_ = title;
    delay_ms_ = delay_ms;
}

TLString CFileLoader::Property(const TLString& name) const {
    if (name == u"Location") return location_;
    if (name == u"AllHeaders") return all_headers_;
    if (name == u"StatusCode") return status_code_;
    return TLString();
}

void CFileLoader::Cancel() {
    if (!busy_) return;
    cancel_ = true;
    std::lock_guard<std::mutex> lock(reader_lock_);
    if (open_reader_) open_reader_->Close();
}

void CFileLoader::ReportProgress(bool network, int64_t done, int64_t total) {
    if (!window_) return;
    if (!window_shown_) {
        if (GetTickCount64() - started_ms_ < static_cast<uint64_t>(delay_ms_)) return;
        window_->Show(title_, tools::Translate(text_));
        window_shown_ = true;
    }
    window_->Update(LoadProgressText(network, done, total), ProgressPosition(done, total));
    if (window_->CancelRequested()) cancel_ = true;
}

CFileLoader::Result CFileLoader::Load(const TLString& address, const TLString& target, std::string* memory) {
    // A second load may come from another thread or from a window message dispatched during this one.
    if (busy_.exchange(true)) return Result::kBusy;
    started_ms_ = GetTickCount64();
    window_shown_ = false;
    text_ = IsNetworkAddress(address) ? u"Internet resource" : u"Local resource";
    const Result result = target.empty() && !always_use_reader_ ? LoadLocal(address, memory)
                                                                : LoadThroughReader(address, target, memory);
    if (window_shown_) window_->Hide();
    tools::LogFormat(u"CFileLoader::Load", u"%s: result %d, status \"%s\"", address, static_cast<int>(result),
                     status_code_);
    cancel_ = false;
    busy_ = false;
    return result;
}

CFileLoader::Result CFileLoader::LoadLocal(const TLString& address, std::string* memory) {
    if (!memory) return Result::kFailed;
    tools::Reader reader = tools::CreateGenericReader(address);
    if (!reader || !reader->Open()) return Result::kFailed;
    MemorySink sink(*memory);
    const TransferResult transfer = TransferBody(*reader, reader->ContentLength(), sink, [&](int64_t) {
        return !cancel_;
    });
    if (transfer.end == DownloadEnd::kCancelled) return Result::kCancelled;
    return transfer.end == DownloadEnd::kComplete ? Result::kLoaded : Result::kFailed;
}

void CFileLoader::ApplyOptions(tltools::IReader& reader, const TLString& address, bool cached_copy) const {
    reader.SetTimeout(timeout_ms_);
    const TLString method = Option(u"HTTPREQUEST_TYPE");
    if (!method.empty() || !post_data_.empty())
        reader.SetRequestMethod(method, post_data_.empty() ? nullptr : post_data_.data(),
                                static_cast<int>(post_data_.size()));
    AddHeaderLines(reader, Option(u"INFO_HEADERS"));
    if (HasOption(u"RANGE_START")) reader.SetRequestHeader(u"Range", u"bytes=" + Option(u"RANGE_START") + u"-");
    if (!cached_copy) return;
    TLString since = Option(u"If-Modified-Since");
    if (since.empty()) {
        const auto known = last_modified_.find(std::u16string(address.view()));
        if (known != last_modified_.end()) since = known->second;
    }
    if (!since.empty()) reader.SetRequestHeader(u"If-Modified-Since", since);
}

CFileLoader::Result CFileLoader::LoadThroughReader(const TLString& address, const TLString& target,
                                                   std::string* memory) {
    location_ = all_headers_ = status_code_ = TLString();
    tools::Reader reader = tools::CreateGenericReader(address);
    if (!reader) return Result::kFailed;
    const bool use_cache = HasOption(u"USE_CACHE");
    const bool cached_copy = use_cache && !target.empty() && GetFileAttributesW(target.wc()) != INVALID_FILE_ATTRIBUTES;
    ApplyOptions(*reader, address, cached_copy);
    {
        std::lock_guard<std::mutex> lock(reader_lock_);
        open_reader_ = reader.get();
    }
    // Whatever ends the load, the reader is no longer there for Cancel to close.
    struct Unregister {
        CFileLoader& loader;
        ~Unregister() {
            std::lock_guard<std::mutex> lock(loader.reader_lock_);
            loader.open_reader_ = nullptr;
        }
    } unregister{*this};

    const bool opened = !cancel_ && reader->Open();
    location_ = reader->GetProperty(u"Location");
    all_headers_ = reader->GetProperty(u"AllHeaders");
    status_code_ = reader->GetProperty(u"StatusCode");
    if (cancel_) return Result::kCancelled;
    if (opened && cached_copy && status_code_ == u"304") return Result::kNotModified;
    if (!opened) return Result::kFailed;

    CDownloadFile file;
    std::string unused;
    MemorySink memory_sink(memory ? *memory : unused);
    IBodySink* sink = &memory_sink;
    if (!target.empty()) {
        if (!file.Create(target)) return Result::kFailed;
        sink = &file;
    }
    tools::Decompressor decompressor;
    std::optional<GzipSink> gzip;
    if (reader->GetProperty(u"ContentEncoding").FindNoCase(u"gzip") != TLString::npos) {
        decompressor = tools::CreateGzipDecompressor();
        if (!decompressor) return Result::kFailed;
        sink = &gzip.emplace(*decompressor, *sink);
    }
    const bool network = IsNetworkAddress(address);
    const int64_t length = reader->ContentLength();
    const TransferResult transfer = TransferBody(*reader, length, *sink, [&](int64_t received) {
        tlproc::DispatchPendingMessages();
        ReportProgress(network, received, length);
        return !cancel_;
    });
    // A cancel from another thread closes the reader under the read, which then fails: still a cancel.
    if (transfer.end == DownloadEnd::kCancelled || cancel_) return Result::kCancelled;
    if (transfer.end != DownloadEnd::kComplete || (gzip && !gzip->Complete())) return Result::kFailed;
    if (use_cache) {
        const TLString modified = reader->GetProperty(u"Last-Modified");
        if (!modified.empty()) last_modified_[std::u16string(address.view())] = modified;
    }
    if (!target.empty() && !file.Keep()) return Result::kFailed;
    return Result::kLoaded;
}

}  // namespace engine
