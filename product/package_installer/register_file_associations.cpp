#include "product/package_installer/register_file_associations.h"

#include <objbase.h>

#include "core/process/tl_process_info_block.h"
#include "core/tools/message_service_prompts.h"
#include "core/tools/module_loader.h"
#include "core/tools/tools.h"
#include "shell/associations/file_association_database.h"
#include "shell/shell_registration.h"

void RegisterFileAssociations(const TLString& program_folder) {
    if (!tltools::TLModuleLoader::Get().LoadFrom(tltools::kToolsSlot, program_folder)) return;
    TLString error;
    if (!tools::ProductInfo() || !tools::ProductInfo()->Load(program_folder + u"Product.xml", &error)) return;
    tools::MessageServicePrompts prompts;
    shell::FileAssociationDatabase& database = shell::FileAssociationDatabase::Get();
    if (!database.Load(program_folder)) {
        prompts.Ask(shell::FileAssociationsFailurePrompt(database.Path()));
        return;
    }
    const TLString selected =
        tools::OpenSettingsSection(u"Properties").GetString(u"File Associations - Selected Media Types", TLString());
    tools::LogFormat(u"RegisterFileAssociations", u"Associating \"%s\"", selected);
    CoInitialize(nullptr);
    {
        shell::CShellRegistration registration(program_folder, prompts);
        registration.SetApply(true);
        registration.SetNotify(true);
        registration.SetFileTypes(shell::SplitTypeList(selected));
    }
    CoUninitialize();
    tltools::TLModuleLoader::Get().UnloadAll();
}
