// The product's package installer: installs package files ("/Install", "/Q /Install"), carries out the
// DLL registration commands and the finishing of an install. It appends every command line it gets
// to its log ("PackageInstaller.log" beside the program, wherever it was copied to), so that callers
// can be checked by what they cause; the driver commands are only logged (no driver is installed
// here).
#include <windows.h>

#include <string>

#include "core/windows/module_path.h"
#include "core/windows/run_program.h"
#include "product/package_installer/finish_install.h"
#include "product/package_installer/install_package_command.h"
#include "product/package_installer/register_file_associations.h"

namespace {

constexpr std::u16string_view kRegister = u"/RegDLL ";
constexpr std::u16string_view kUnregister = u"/UnRegDLL ";
constexpr std::u16string_view kFinishInstall = u"\"/FinishInstall\"";
constexpr std::u16string_view kRegFileAssociations = u"/RegFileAssociations";
constexpr std::u16string_view kInstall = u"/Install ";
constexpr std::u16string_view kQuietInstall = u"/Q /Install ";

// A path given on the command line, without the double quotes around it.
TLString Unquoted(TLString path) {
    path.TrimLeft();
    if (path.length() >= 2 && path[0] == u'"' && path.Last() == u'"') return path.Mid(1, path.length() - 2);
    return path;
}

// The command line without the program's own name.
TLString Arguments() {
    const TLString line(GetCommandLineW());
    size_t end = 0;
    if (line.StartsWith(u"\"")) {
        end = line.Find(u'"', 1);
        end = end == TLString::npos ? line.length() : end + 1;
    } else {
        end = line.Find(u' ');
        if (end == TLString::npos) end = line.length();
    }
    TLString arguments = line.Mid(end);
    return arguments.TrimLeft();
}

void AppendToLog(const TLString& line) {
    HANDLE file = CreateFileW((tlwin::ModuleFolder() + u"PackageInstaller.log").wc(), FILE_APPEND_DATA,
                              FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    const std::string bytes = line.ToUtf8() + "\r\n";
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    const TLString arguments = Arguments();
    AppendToLog(arguments);
    if (arguments.StartsWith(kRegister)) return tlwin::RegisterInProcess(arguments.Mid(kRegister.size())) ? 0 : 1;
    if (arguments.StartsWith(kUnregister))
        return tlwin::RegisterWithRegSvr32(arguments.Mid(kUnregister.size()), false, false) ? 0 : 1;
    if (arguments == kFinishInstall || arguments == kFinishInstall.substr(1, kFinishInstall.size() - 2))
        FinishInstall(AppendToLog);
    if (arguments.StartsWith(kInstall))
        return InstallPackageCommand(Unquoted(arguments.Mid(kInstall.size())), false, tlwin::ModuleFolder());
    if (arguments.StartsWith(kQuietInstall))
        return InstallPackageCommand(Unquoted(arguments.Mid(kQuietInstall.size())), true, tlwin::ModuleFolder());
    if (arguments == kRegFileAssociations) RegisterFileAssociations(tlwin::ModuleFolder());
    return 0;
}
