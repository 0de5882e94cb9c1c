#pragma once
// CInternetHelper: a download object on a CFileLoader ("Corvane Download", 20 s timeout). It fetches
// an address into a given file or into a temporary one, and answers with a result code.

#include <atomic>
#include <string>

#include "core/property/tl_property_map.h"
#include "core/string/tl_string.h"
#include "engine/dependencies/file_loader.h"

namespace engine {

class CInternetHelper {
public:
    enum Result : int {
        kSuccess = 0,
        kFailed = -1,
        kCancelled = -2,
        kNoNetwork = -3,   // failed while Windows reports no network
        kNotLoaded = -4,   // the downloaded file could not be loaded into memory
        kNotReadable = -5, // the downloaded file could not be read as text
    };
    enum Mode : int {
        kKeepTarget = 0,
        kReplaceTarget = 1,  // an existing target is deleted first
        kUseCache = 2,       // an existing target is asked for again only when the server has newer
    };

    CInternetHelper();

    // Downloads `address` into `target`, or with `target` empty into the temporary
    // "TL Download (<thread>).dat", and hands the path back in `target`; on failure `target` is
    // cleared. With `delayed_progress` the progress window waits 4 s before it shows.
    int Download(const TLString& address, TLString& target, int mode, bool delayed_progress = true);
    // Downloads into a temporary file, reads it and deletes it.
    int DownloadText(const TLString& address, TLString& text);
    int DownloadBuffer(const TLString& address, std::string& data);
    // The download parsed as a property map (its property-holder form with `root_name`).
    int DownloadPropertyMap(const TLString& address, TLPropertyMap& map, const TLString& root_name);

    // Stops the running download. Called on the downloading thread itself (from a window message
    // dispatched between blocks) it returns at once and the download ends when control comes back to
    // it; from another thread it waits a bounded time for the download to end.
    void Cancel();

    CFileLoader& loader() { return loader_; }
    void SetProgressWindow(ILoadProgress* window) { window_ = window; }

private:
    CFileLoader loader_;
    ILoadProgress* window_ = nullptr;
    std::atomic<bool> busy_{false};
    std::atomic<unsigned long> download_thread_{0};
};

}  // namespace engine
