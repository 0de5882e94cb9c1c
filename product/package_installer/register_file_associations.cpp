#include "product/package_installer/register_file_associations.h"

#include <objbase.h>

#include "core/process/tl_process_info_block.h"
#include "core/tools/message_service_prompts.h"
#include "core/tools/module_loader.h"
#include "core/tools/tools.h"
#include "engine/journal/journal.h"
#include "engine/journal/record_notes.h"
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
    // Run after the install has ended: what it changes joins the install record in the program folder.
    journal::CRecordNotes notes;
    shell::RegistryRoots roots;
    roots.notes = &notes;
    CoInitialize(nullptr);
    {
        shell::CShellRegistration registration(program_folder, prompts, roots);
        registration.SetApply(true);
        registration.SetNotify(true);
        registration.SetFileTypes(TLStringArray::FromList(selected));
    }
    CoUninitialize();
    notes.AddTo(program_folder + journal::kInstallRecordName);
    tltools::TLModuleLoader::Get().UnloadAll();
}
