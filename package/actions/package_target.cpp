#include "package/actions/package_target.h"

#include <windows.h>

#include "core/tools/tools.h"
#include "shell/shell_registration.h"

namespace package {

PackageTarget ProductTarget(const TLString& product_folder) {
    PackageTarget target;
    target.product_folder = product_folder;
    target.product_folder.EnsureTrailingBackslash();
    target.product_name = tools::ProductItem(1);
    tltools::IProductInfo* info = tools::ProductInfo();
    target.name_with_version =
        shell::ProductWithVersion(target.product_name, info ? info->GetVersionText() : TLString());
    target.main_program = target.product_folder + tools::MainProgramFileName();
    target.package_installer = target.product_folder + u"PackageInstaller.exe";

    // "File Location - Temp Location" of the product's settings, or Windows' temporary folder.
    wchar_t temp[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH + 1, temp);
    TLString folder = tools::OpenSettingsSection(u"Properties").GetString(u"File Location - Temp Location", TLString(temp));
    folder.EnsureTrailingBackslash();
    target.work_folder = folder + u"Packages\\";
    return target;
}

}  // namespace package
