#include "engine/filesystem/file_version.h"

#include <windows.h>

#include <vector>

#include "core/windows/library_loader.h"
#include "core/windows/module_function.h"
#include "engine/filesystem/windows_path.h"

namespace tlfs {
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
        HMODULE module = tlwin::LoadSystemLibrary(L"Version.dll");
        get_size = tlwin::ModuleFunction<SizeFunction>(module, "GetFileVersionInfoSizeW");
        get_info = tlwin::ModuleFunction<InfoFunction>(module, "GetFileVersionInfoW");
        query = tlwin::ModuleFunction<QueryFunction>(module, "VerQueryValueW");
    }
    bool usable() const { return get_size && get_info && query; }
};

const VersionApi& Api() {
    static const VersionApi api;
    return api;
}

}  // namespace

uint64_t FileVersion(const TLString& path) {
    const VersionApi& api = Api();
    if (!api.usable()) return 0;
    const TLString windows_path = ForWindows(path);
    DWORD handle = 0;
    const DWORD size = api.get_size(windows_path.wc(), &handle);
    if (size == 0) return 0;
    std::vector<unsigned char> block(size);
    if (!api.get_info(windows_path.wc(), 0, size, block.data())) return 0;
    VS_FIXEDFILEINFO* info = nullptr;
    UINT info_size = 0;
    if (!api.query(block.data(), L"\\", reinterpret_cast<LPVOID*>(&info), &info_size) || !info ||
        info_size < sizeof(VS_FIXEDFILEINFO) || info->dwSignature != VS_FFI_SIGNATURE)
        return 0;
    return (static_cast<uint64_t>(info->dwFileVersionMS) << 32) | info->dwFileVersionLS;
}

TLString VersionText(uint64_t version) {
    return TLString::Format(u"%d.%d.%d.%d", static_cast<int>((version >> 48) & 0xFFFF),
                            static_cast<int>((version >> 32) & 0xFFFF), static_cast<int>((version >> 16) & 0xFFFF),
                            static_cast<int>(version & 0xFFFF));
}

TLString FileVersionText(const TLString& path) { return VersionText(FileVersion(path)); }

}  // namespace tlfs
