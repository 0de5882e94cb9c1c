#include "core/windows/known_folders.h"

#include <windows.h>

#include <objbase.h>
#include <shlobj.h>

#include "core/windows/growing_buffer.h"

namespace tlwin {
namespace {

template <typename Call>
TLString Read(Call call) {
    return ReadGrowing(call).value_or(TLString());
}

TLString ShellFolder(REFKNOWNFOLDERID id) {
    PWSTR path = nullptr;
    TLString folder;
    if (SUCCEEDED(SHGetKnownFolderPath(id, KF_FLAG_DEFAULT, nullptr, &path))) folder = TLString(path);
    CoTaskMemFree(path);
    return folder;
}

TLString AskWindows(KnownFolder folder) {
    switch (folder) {
        case KnownFolder::kWindows:
            return Read([](wchar_t* buffer, DWORD size) { return GetWindowsDirectoryW(buffer, size); });
        case KnownFolder::kSystem:
            return Read([](wchar_t* buffer, DWORD size) { return GetSystemDirectoryW(buffer, size); });
        case KnownFolder::kSystemWow64:
            return Read([](wchar_t* buffer, DWORD size) { return GetSystemWow64DirectoryW(buffer, size); });
        case KnownFolder::kTemporary:
            return Read([](wchar_t* buffer, DWORD size) { return GetTempPathW(size, buffer); });
        case KnownFolder::kFonts:
            return ShellFolder(FOLDERID_Fonts);
        case KnownFolder::kRoamingAppData:
            return ShellFolder(FOLDERID_RoamingAppData);
        case KnownFolder::kMusic:
            return ShellFolder(FOLDERID_Music);
    }
    return TLString();
}

}  // namespace

TLString KnownFolderPath(KnownFolder folder) {
    TLString path = AskWindows(folder);
    if (!path.empty()) path.EnsureTrailingBackslash();
    return path;
}

}  // namespace tlwin
