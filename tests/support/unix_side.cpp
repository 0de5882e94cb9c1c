#include "tests/support/unix_side.h"

#include <windows.h>

#include <vector>

#include "core/windows/module_function.h"

namespace tltest {

std::string UnixPath(const TLString& windows_path) {
    using Convert = char*(CDECL*)(LPCWSTR);
    const auto convert = tlwin::ModuleFunction<Convert>(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name");
    if (!convert) return {};
    char* unix_path = convert(windows_path.wc());
    if (!unix_path) return {};
    std::string result(unix_path);
    HeapFree(GetProcessHeap(), 0, unix_path);
    return result;
}

bool SpawnUnixProgram(std::vector<std::string> arguments, bool wait) {
    using Spawn = LONG(CDECL*)(char* const* argv, int wait);
    const auto spawn = tlwin::ModuleFunction<Spawn>(GetModuleHandleW(L"ntdll.dll"), "__wine_unix_spawnvp");
    if (!spawn) return false;
    std::vector<char*> argv;
    for (std::string& argument : arguments) argv.push_back(argument.data());
    argv.push_back(nullptr);
    return spawn(argv.data(), wait ? 1 : 0) == 0;
}

UnixSymbolicLink::UnixSymbolicLink(const TLString& target, const TLString& link) : link_(UnixPath(link)) {
    const std::string target_path = UnixPath(target);
    made_ = !target_path.empty() && !link_.empty() && SpawnUnixProgram({"/bin/ln", "-sfn", target_path, link_}, true);
}

UnixSymbolicLink::~UnixSymbolicLink() {
    if (made_) SpawnUnixProgram({"/bin/rm", "-f", link_}, true);
}

ReadOnlyMount::ReadOnlyMount(const TLString& folder) : folder_(UnixPath(folder)) {
    if (folder_.empty()) return;
    // A bind mount takes the read-only flag only when it is mounted again.
    mounted_ = SpawnUnixProgram({"/bin/mount", "--bind", folder_, folder_}, true);
    made_ = mounted_ && SpawnUnixProgram({"/bin/mount", "-o", "remount,bind,ro", folder_}, true);
}

ReadOnlyMount::~ReadOnlyMount() {
    // Lazily: Wine may still hold a handle of the last program that ran from it.
    if (mounted_) SpawnUnixProgram({"/bin/umount", "-l", folder_}, true);
}

}  // namespace tltest
