#include "product/package_installer/install_package_command.h"

#include <objbase.h>

#include "core/tools/message_service_prompts.h"
#include "core/tools/module_loader.h"
#include "core/tools/tools.h"
#include "engine/journal/journal.h"
#include "engine/journal/record_notes.h"
#include "package/install/install_package.h"

int InstallPackageCommand(const TLString& package_file, bool quiet, const TLString& program_folder) {
    if (tltools::TLModuleLoader::Get().LoadFrom(tltools::kToolsSlot, program_folder) && tools::ProductInfo()) {
        TLString error;
        tools::ProductInfo()->Load(program_folder + u"Product.xml", &error);
    }
    CoInitialize(nullptr);
    const package::PackageTarget target = package::ProductTarget(program_folder);
    tools::MessageServicePrompts shown;
    tools::SafeAnswerPrompts unattended;
    tools::IInstallPrompts& prompts = quiet ? static_cast<tools::IInstallPrompts&>(unattended) : shown;
    // The product was installed before: what the package changes joins the install record in its
    // folder, so that the uninstaller removes it too, whether or not the package completed.
    journal::CRecordNotes notes;
    package::CInstallPackage installer(target, prompts, notes);
    const bool installed = installer.Install(package_file);
    installer.Cleanup();
    notes.AddTo(program_folder + journal::kInstallRecordName);
    CoUninitialize();
    tltools::TLModuleLoader::Get().UnloadAll();
    return installed ? 0 : 1;
}
