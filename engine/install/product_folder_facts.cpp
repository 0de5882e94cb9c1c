#include "engine/install/product_folder_facts.h"

#include "core/process/tl_install_path.h"
#include "core/windows/registry.h"
#include "core/windows/tl_file_system.h"
#include "engine/uninstall/uninstall_values.h"

namespace engine {
namespace {

bool NamesFolder(const TLString& key, const TLString& value_name, const TLString& folder) {
    TLString named;
    if (!tlwin::RegistryKey::Open(HKEY_LOCAL_MACHINE, key).ReadString(value_name, &named)) return false;
    named.EnsureTrailingBackslash();
    return named.EqualsNoCase(folder);
}

}  // namespace

ProductFolderFacts GatherProductFolderFacts(const TLString& install_folder, const TLString& main_program,
                                            const TLString& product, const TLString& uninstall_key) {
    ProductFolderFacts facts;
    facts.main_program_present =
        !main_program.empty() && tlwin::TLFileSystem::FileExists(install_folder + main_program);
    facts.portable_marker_present = tlwin::TLFileSystem::FileExists(install_folder + u"Portable.dat");
    facts.named_by_installations_record =
        !product.empty() && NamesFolder(TLString(kInstallationsKey) + u"\\" + product, u"Path", install_folder);
    facts.named_by_uninstall_entry =
        !uninstall_key.empty() && NamesFolder(kUninstallRootKey + uninstall_key, u"InstallLocation", install_folder);
    return facts;
}

}  // namespace engine
