#include "product/tltools/small_services.h"

#include <windows.h>

#include "core/windows/file_attributes.h"

namespace tltools_dll {

int CStringService::FindText(const TLString& text, const TLString& what, int mode) {
    const size_t found = mode == kIgnoreCase ? text.FindNoCase(what) : text.Find(what.view());
    return found == TLString::npos ? -1 : static_cast<int>(found);
}

void CMessageDispatcher::DispatchPending() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

int CMessageDispatcher::GetMetric(int index) { return GetSystemMetrics(index); }

int CMessageDispatcher::RunMessageLoop() {
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

void CSkinService::SetTitleBarImage(const TLString& image_name) {
    title_bar_image_ = image_name;
    logger_.Log(tltools::ILogger::kInfo, u"CSkinService::SetTitleBarImage", image_name);
}

bool CSkinService::IsValidSkinFile(const TLString& path) { return tlwin::FileExists(path); }

bool CSkinService::SetSkinFile(const TLString& path) {
    const bool valid = IsValidSkinFile(path);
    if (valid) skin_file_ = path;
    logger_.Log(
        valid ? tltools::ILogger::kInfo : tltools::ILogger::kWarning, u"CSkinService::SetSkinFile",
        TLString::Format(valid ? u"Skin file \"%s\"" : u"Skin file \"%s\" is not valid; keeping the plain look", path));
    return valid;
}

uint32_t CSkinService::GetColor(const TLString& element, uint32_t fallback) {
    if (skin_file_.empty()) return fallback;
    wchar_t value[32] = {};
    GetPrivateProfileStringW(L"Colors", element.wc(), L"", value, 32, skin_file_.wc());
    if (!value[0]) return fallback;
    return static_cast<uint32_t>(wcstoul(value, nullptr, 16));
}

}  // namespace tltools_dll
