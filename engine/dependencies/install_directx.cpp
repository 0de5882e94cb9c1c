#include "core/tools/tools.h"
#include "engine/dependencies/dependency_rules.h"
#include "engine/dependencies/install_dependency.h"
#include "engine/dependencies/setup_file.h"
#include "engine/filesystem/tl_file_system.h"

namespace engine {

bool CInstallDirectX::Install(DependencyContext& context) {
    const bool present = TLFileSystem::FileExists(context.system_folder + u"d3dx9_43.dll");
    if (!DirectXSetupNeeded(context.os_code, present)) {
        tools::LogFormat(u"CInstallDirectX::Install", u"Not needed (Windows %d, d3dx9_43.dll %s)",
                         static_cast<int64_t>(context.os_code), present ? u"present" : u"missing");
        return true;
    }
    if (!InstallSetupFile(context, u"d3dx943.exe", TLStringArray(), tools::Translate(u"DirectX components")))
        tools::LogFormat(u"CInstallDirectX::Install", u"The DirectX components were not installed: %s",
                         context.error_text);
    return true;
}

}  // namespace engine
