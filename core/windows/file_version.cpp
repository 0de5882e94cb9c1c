#include "core/windows/file_version.h"

#include <windows.h>

#include <vector>

#include "core/windows/file_attributes.h"
#include "core/windows/library_loader.h"
#include "core/windows/module_function.h"

namespace tlwin {
namespace {

// The version functions, taken from the system's "Version.dll" once and kept for the process.
struct VersionApi {
    using SizeFunction = DWORD(WINAPI*)(LPCWSTR, LPDWORD);
    using InfoFunction = BOOL(WINAPI*)(LPCWSTR, DWORD, DWORD, LPVOID);
    using QueryFunction = BOOL(WINAPI*)(LPCVOID, LPCWSTR, LPVOID*, PUINT);

    SizeFunction get_size = nullptr;
    InfoFunction get_info = nullptr;
    QueryFunction query = nullptr;

    VersionApi() {
        HMODULE module = LoadSystemLibrary(L"Version.dll");
        get_size = ModuleFunction<SizeFunction>(module, "GetFileVersionInfoSizeW");
        get_info = ModuleFunction<InfoFunction>(module, "GetFileVersionInfoW");
        query = ModuleFunction<QueryFunction>(module, "VerQueryValueW");
    }
    bool usable() const { return get_size && get_info && query; }
};

const VersionApi& Api() {
    static const VersionApi api;
    return api;
}

bool ReadVersion(const TLString& path, uint64_t* version) {
    const VersionApi& api = Api();
    if (!api.usable()) return false;
    const TLString windows_path = ForWindows(path);
    DWORD handle = 0;
    const DWORD size = api.get_size(windows_path.wc(), &handle);
    if (size == 0) return false;
    std::vector<unsigned char> block(size);
    if (!api.get_info(windows_path.wc(), 0, size, block.data())) return false;
    VS_FIXEDFILEINFO* info = nullptr;
    UINT info_size = 0;
    if (!api.query(block.data(), L"\\", reinterpret_cast<LPVOID*>(&info), &info_size) || !info ||
        info_size < sizeof(VS_FIXEDFILEINFO) || info->dwSignature != VS_FFI_SIGNATURE)
        return false;
    *version = (static_cast<uint64_t>(info->dwFileVersionMS) << 32) | info->dwFileVersionLS;
    return true;
}

}  // namespace

uint64_t FileVersion(const TLString& path) {
    uint64_t version = 0;
    return ReadVersion(path, &version) ? version : 0;
}

TLString VersionText(uint64_t version) {
    return TLString::Format(u"%d.%d.%d.%d", static_cast<int>((version >> 48) & 0xFFFF),
                            static_cast<int>((version >> 32) & 0xFFFF), static_cast<int>((version >> 16) & 0xFFFF),
                            static_cast<int>(version & 0xFFFF));
}

bool VersionFunctionsAvailable() { return Api().usable(); }

TLString FileVersionText(const TLString& path) {
    uint64_t version = 0;
    return ReadVersion(path, &version) ? VersionText(version) : TLString();
}

}  // namespace tlwin
