#include "engine/dependencies/internet_helper.h"

#include <windows.h>

#include "core/tools/tools.h"
#include "core/windows/module_function.h"
#include "core/xml/file_text.h"
#include "engine/dependencies/download_rules.h"
#include "engine/filesystem/tl_file_system.h"

namespace engine {
namespace {

constexpr int kTimeoutMs = 20000;
// A cancel from another thread waits no longer than the reader may wait for the server.
constexpr DWORD kCancelWaitMs = kTimeoutMs;

TLString TemporaryFolder() {
    wchar_t folder[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathW(MAX_PATH + 1, folder);
    return length && length <= MAX_PATH ? TLString(folder) : TLString();
}

// Sensapi's answer; a machine that cannot say counts as connected.
bool NetworkAlive() {
    using IsNetworkAliveFunction = BOOL(WINAPI*)(LPDWORD);
    HMODULE sensapi = LoadLibraryExW(L"sensapi.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    const auto is_alive = tlwin::ModuleFunction<IsNetworkAliveFunction>(sensapi, "IsNetworkAlive");
    DWORD flags = 0;
    const bool alive = !is_alive || is_alive(&flags) || GetLastError() != ERROR_SUCCESS;
    if (sensapi) FreeLibrary(sensapi);
    return alive;
}

}  // namespace

CInternetHelper::CInternetHelper() { loader_.SetTimeout(kTimeoutMs); }

int CInternetHelper::Download(const TLString& address, TLString& target, int mode, bool delayed_progress) {
    if (target.empty()) target = TemporaryDownloadName(TemporaryFolder(), GetCurrentThreadId());
    if (mode == kReplaceTarget) DeleteFileW(target.wc());
    if (mode == kUseCache) loader_.SetOption(u"USE_CACHE", u"1");
    else loader_.RemoveOption(u"USE_CACHE");
    TLFileSystem::MakeDirectoryTree(target, true);
    loader_.SetProgress(window_, tools::Translate(u"Corvane Download"), delayed_progress ? 4000 : 0);

    download_thread_ = GetCurrentThreadId();
    busy_ = true;
    const CFileLoader::Result loaded = loader_.Load(address, target);
    busy_ = false;
    download_thread_ = 0;

    if (loaded == CFileLoader::Result::kLoaded || loaded == CFileLoader::Result::kNotModified) return kSuccess;
    target.Clear();
    if (loaded == CFileLoader::Result::kCancelled) return kCancelled;
    return NetworkAlive() ? kFailed : kNoNetwork;
}

int CInternetHelper::DownloadText(const TLString& address, TLString& text) {
    TLString file;
    const int result = Download(address, file, kReplaceTarget, true);
    if (result != kSuccess) return result;
    const bool read = tlxml::ReadTextFile(file, text);
    DeleteFileW(file.wc());
    return read ? kSuccess : kNotReadable;
}

int CInternetHelper::DownloadBuffer(const TLString& address, std::string& data) {
    TLString file;
    const int result = Download(address, file, kReplaceTarget, true);
    if (result != kSuccess) return result;
    CFileLoader local;
    const bool loaded = local.Load(file, TLString(), &data) == CFileLoader::Result::kLoaded;
    DeleteFileW(file.wc());
    return loaded ? kSuccess : kNotLoaded;
}

int CInternetHelper::DownloadPropertyMap(const TLString& address, TLPropertyMap& map, const TLString& root_name) {
    TLString text;
    const int result = DownloadText(address, text);
    if (result != kSuccess) return result;
    return map.FromXML(text, root_name, 1.0) ? kSuccess : kNotReadable;
}

void CInternetHelper::Cancel() {
    loader_.Cancel();
    // On its own thread the download is below us on the stack: waiting here would never end.
    if (download_thread_ == GetCurrentThreadId()) return;
    const ULONGLONG start = GetTickCount64();
    while (busy_ && GetTickCount64() - start < kCancelWaitMs) Sleep(10);
    if (busy_) tools::Log(u"CInternetHelper::Cancel", u"The download did not end in time", tltools::ILogger::kWarning);
}

}  // namespace engine
