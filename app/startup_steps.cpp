#include "app/startup_steps.h"

#include <string>

#include "core/tools/scoped_trace.h"
#include "core/tools/tools.h"
#include "core/windows/library_loader.h"

namespace startup {
namespace {

constexpr const wchar_t* kVirtualStoreKeys[] = {
    L"Software\\Classes\\VirtualStore\\Machine\\Software",
    L"Software\\Classes\\VirtualStore\\Machine\\Software\\Wow6432Node",
};

TLString ModulePath() {
    wchar_t path[MAX_PATH * 8];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH * 8);
    return TLString(std::u16string_view(reinterpret_cast<const char16_t*>(path), length));
}

// The last piece of the user's stored skin value ("Folder\File.skin"), when it has at least two.
TLString StoredSkinFileName(const TLString& stored) {
    TLString value = stored;
    if (value.Last() == u'\\') value.Truncate(value.length() - 1);
    const size_t slash = value.ReverseFind(u'\\');
    if (slash == TLString::npos) return TLString();
    return value.Mid(slash + 1);
}

}  // namespace

TLString ExecutableFolder() {
    const TLString path = ModulePath();
    return path.Left(path.ReverseFind(u'\\') + 1);
}

VirtualStoreKeys::~VirtualStoreKeys() {
    for (HKEY key : keys)
        if (key) RegCloseKey(key);
}

VirtualStoreKeys::VirtualStoreKeys(VirtualStoreKeys&& other) noexcept {
    for (size_t i = 0; i < 2; ++i) {
        keys[i] = other.keys[i];
        other.keys[i] = nullptr;
    }
}

VirtualStoreKeys ClearVirtualStore() {
    VirtualStoreKeys opened;
    for (size_t i = 0; i < 2; ++i) {
        if (RegOpenKeyExW(HKEY_CURRENT_USER, kVirtualStoreKeys[i], 0, 0x2001F, &opened.keys[i]) != ERROR_SUCCESS) {
            opened.keys[i] = nullptr;
            continue;
        }
        // A virtualised copy always holds the product's keys below it, which RegDeleteKeyW would refuse
        // to delete; the whole tree goes.
        RegDeleteTreeW(opened.keys[i], L"C. Orvane");
    }
    return opened;
}

void LogSetupVersion() {
    HMODULE version = tlwin::LoadSystemLibrary(L"Version.dll");
    if (!version) return;
    using SizeFunction = DWORD(WINAPI*)(LPCWSTR, LPDWORD);
    using InfoFunction = BOOL(WINAPI*)(LPCWSTR, DWORD, DWORD, LPVOID);
    using QueryFunction = BOOL(WINAPI*)(LPCVOID, LPCWSTR, LPVOID*, PUINT);
    const auto get_size =
        reinterpret_cast<SizeFunction>(reinterpret_cast<void*>(GetProcAddress(version, "GetFileVersionInfoSizeW")));
    const auto get_info =
        reinterpret_cast<InfoFunction>(reinterpret_cast<void*>(GetProcAddress(version, "GetFileVersionInfoW")));
    const auto query =
        reinterpret_cast<QueryFunction>(reinterpret_cast<void*>(GetProcAddress(version, "VerQueryValueW")));
    const TLString path = ModulePath();
    const DWORD size = get_size && get_info && query ? get_size(path.wc(), nullptr) : 0;
    if (size) {
        std::string data(size, '\0');
        VS_FIXEDFILEINFO* info = nullptr;
        UINT length = 0;
        if (get_info(path.wc(), 0, size, data.data()) &&
            query(data.data(), L"\\", reinterpret_cast<void**>(&info), &length) && info) {
            tools::LogFormat(u"LogSetupVersion", u"Setup version %d.%d.%d.%d", HIWORD(info->dwFileVersionMS),
                             LOWORD(info->dwFileVersionMS), HIWORD(info->dwFileVersionLS),
                             LOWORD(info->dwFileVersionLS));
        }
    }
    FreeLibrary(version);
}

void ChooseSkin(const TLString& executable_folder) {
    TLScopedTrace trace(u"ChooseSkin");
    tltools::ToolsInterface* tools = tools::Interface();
    if (!tools) return;
    if (tltools::ISkinService* skin = tools->GetSkinService(1)) {
        skin->SetTitleBarImage(u"Titlebar Icon");
        const TLString skin_folder = executable_folder + u"Tunevault\\Skins\\Standard View\\";
        TLString file_name = tools::ProductString(u"/*/General/MegaSkin", TLString());
        const TLString skin_key = tools::ProductString(u"/*/General/MegaSkinKey", u"Standard View Skin 2");
        const TLString stored = tools::OpenSettingsSection(u"Properties").GetString(skin_key, TLString());
        const TLString user_choice = StoredSkinFileName(stored);
        if (!user_choice.empty() && skin->IsValidSkinFile(skin_folder + user_choice)) file_name = user_choice;
        skin->SetSkinFile(skin_folder + file_name);
    }
    if (tools::ProductInteger(u"/*/Installer/ShowLanguageSelection", 0) != 0) {
        if (tltools::ITranslator* translator = tools->GetTranslator(1)) translator->ShowLanguageSelection(nullptr);
    }
}

bool ChecksOverriddenByKeyboard() {
    return GetKeyState(VK_CONTROL) < 0 && GetKeyState(VK_SHIFT) < 0 && GetKeyState('F') < 0;
}

void PlaceLauncher(const TLString& executable_folder, const TLString& launcher_name) {
    TLScopedTrace trace(u"PlaceLauncher");
    const TLString folder = executable_folder + u"System\\Always Overwrite\\";
    MoveFileW((folder + u"Tone Core Launcher.exe").wc(), (folder + launcher_name).wc());
    CopyFileW((folder + launcher_name).wc(), (executable_folder + u"Tunevault\\" + launcher_name).wc(), FALSE);
}

void WizardNotImplemented() {
    tools::Log(u"WizardNotImplemented", u"The wizard is not built yet: nothing was shown or installed");
}

}  // namespace startup
