#include "engine/install/install_helper.h"

#include <objbase.h>
#include <windows.h>

#include "core/path/path_parts.h"
#include "core/process/tl_process_info_block.h"
#include "core/tools/product_settings.h"
#include "core/tools/scoped_trace.h"
#include "core/tools/tools.h"
#include "core/windows/known_folders.h"
#include "core/windows/run_program.h"
#include "core/windows/tl_file_system.h"
#include "engine/cleaning/cleaning.h"
#include "engine/copy/copy_prompts.h"
#include "engine/copy/file_kinds.h"
#include "engine/copy/folder_copy.h"
#include "engine/install/launcher_placement.h"
#include "engine/install/product_folder_facts.h"
#include "engine/journal/file_changes.h"
#include "engine/record/installation_record.h"
#include "engine/migration/settings_migration.h"
#include "engine/uninstall/uninstall_entry.h"
#include "core/windows/change_notes.h"
#include "package/plugins/install_wa_plugin.h"
#include "shell/resources/product_art.h"
#include "shell/shell_registration.h"

namespace engine {
namespace {


}  // namespace

CInstallHelper::CInstallHelper(const InstallSession& session, TLString source_folder, PendingOperations& pending,
                               TLString journal_file)
    : session_(session),
      source_folder_(std::move(source_folder)),
      pending_(pending),
      journal_file_(std::move(journal_file)) {}

TLString CInstallHelper::DefaultJournalFile() {
    return tlwin::KnownFolderPath(tlwin::KnownFolder::kTemporary) + u"Tonehall Setup.journal";
}

bool CInstallHelper::CopyAndRegister(IInstallProgress& progress, tools::IInstallPrompts& prompts) {
    TLScopedTrace trace(u"CInstallHelper::CopyAndRegister");
    install_folder_ = session_.DestinationFolder();
    if (!tlpath::HasDriveOrServer(install_folder_)) {
        tools::LogFormat(u"CInstallHelper::CopyAndRegister", u"\"%s\" is no folder to install to", install_folder_);
        trace.SetResult(0);
        return false;
    }
    // A run that was ended half way is undone first, so that this one starts from what was there.
    journal::RollBackLeftover(journal_file_);
    journal::CJournal journal(journal_file_);
    journal.Start();
    copier_.emplace(source_folder_, install_folder_, pending_, prompts, &journal);
    const PendingOperations pending_before = pending_;

    if (!RunSteps(progress, prompts, journal)) {
        prompts.Ask(CriticalError());
        journal.RollBack();
        pending_ = pending_before;
        trace.SetResult(0);
        return false;
    }
    journal.Commit(install_folder_ + ::journal::kInstallRecordName);
    trace.SetResult(1);
    return true;
}

bool CInstallHelper::RunSteps(IInstallProgress& progress, tools::IInstallPrompts& prompts, journal::CJournal& journal) {
    progress.SetCancelEnabled(false);
    progress.SetHeading(tools::Translate(u"Copying Files"),
                        tools::Translate(u"Please wait while Install Wizard copies and registers files."));
    Clean(progress);
    MarkPortable(journal);
    installation::CompletePortableInstall(session_);
    MigrateSettings(progress, journal);

    TLStringArray core_libraries;
    if (!installation::RegisterInstallation(session_, source_folder_, prompts, core_libraries, &journal)) return false;
    copier_->SetCopiedCoreLibraries(std::move(core_libraries));
    CoFreeUnusedLibraries();
    progress.SetPosition(0);

    for (const PhaseAction& action : PlanProgramFiles(GatherProgramFilesFacts()))
        if (!Apply(action, progress, prompts, journal)) return false;

    RegisterProgramFiles(progress, prompts, journal);
    if (TLProcessInfoBlock* block = TLProcessInfoBlock::Get())
        block->SetString(TLProcessInfoBlock::kDataFolder, install_folder_);
    RegisterWithShell(progress, prompts, journal);
    WriteUninstallEntry(journal);
    return true;
}

void CInstallHelper::Clean(IInstallProgress& progress) {
    progress.SetRange(1);
    progress.SetText(tools::Translate(u"Cleaning installation directory..."));
    const TLString main_program = tools::MainProgramFileName();
    media_server_edition_ = main_program.FindNoCase(u"Gantry") != TLString::npos;
    holds_product_ = HoldsProduct(
        GatherProductFolderFacts(install_folder_, main_program, tools::ProductItem(3), session_.UninstallKeyName));
    CleaningRequest request;
    request.install_folder = install_folder_;
    request.holds_product = holds_product_;
    request.clean_data_folders = tools::ProductFeature(84);
    request.configured_obsolete = ReadProductSetting(ProductSetting::kObsoleteFiles, tools::ProductInfo()).text;
    CleanInstallationDirectory(request, pending_);
    progress.SetPosition(1);
}

// The portable marker is the first file a portable install makes: noted so that a rollback takes it.
void CInstallHelper::MarkPortable(journal::CJournal& journal) {
    const TLString marker = install_folder_ + u"Portable.dat";
    if (!session_.PortableMode || tlwin::TLFileSystem::FileExists(marker)) return;
    journal::MakeFolders(&journal, install_folder_);
    journal.NoteCreatedFile(marker);
}

void CInstallHelper::MigrateSettings(IInstallProgress& progress, journal::CJournal& journal) {
    migration::MigrationRequest request;
    request.existing_installation_found = session_.ExistingInstallationFound;
    request.portable = session_.PortableMode;
    request.no_upgrade = session_.NoUpgrade;
    request.product_name = tools::ProductItem(3);
    request.destination_folder = install_folder_;
    if (const TLProcessInfoBlock* block = TLProcessInfoBlock::Get())
        request.data_folder = block->GetString(TLProcessInfoBlock::kAppDataFolder).EnsureTrailingBackslash();
    request.default_library = session_.LibraryFolder;
    request.settings_import = tools::Interface() ? tools::Interface()->GetSettingsImport(1) : nullptr;
    request.journal = &journal;
    migration::MigrateSettings(request, progress);
}

ProgramFilesFacts CInstallHelper::GatherProgramFilesFacts() const {
    ProgramFilesFacts facts;
    facts.source_folder = source_folder_;
    facts.install_folder = install_folder_;
    facts.product_name = tools::ProductItem(1);
    facts.main_program = tools::MainProgramFileName();
    facts.portable = session_.PortableMode;
    facts.media_server_edition = media_server_edition_;
    facts.holds_product = holds_product_;
    facts.main_program_installed =
        !facts.main_program.empty() && tlwin::TLFileSystem::FileExists(install_folder_ + facts.main_program);
    facts.system_folder = tlwin::KnownFolderPath(tlwin::KnownFolder::kSystem);
    facts.system_wow64_folder = tlwin::KnownFolderPath(tlwin::KnownFolder::kSystemWow64);
    facts.windows_folder = tlwin::KnownFolderPath(tlwin::KnownFolder::kWindows);
    const auto after_copy = [&](const char16_t* folder) {
        return tlwin::TLFileSystem::FolderExists(install_folder_ + folder) ||
               tlwin::TLFileSystem::FolderExists(source_folder_ + u"Tunevault\\" + folder);
    };
    facts.chinese_after_copy = after_copy(u"Data\\Languages\\Chinese\\");
    facts.chinese_simplified_after_copy = after_copy(u"Data\\Languages\\Chinese (simplified)\\");
    facts.launcher_name = tools::LauncherFileName();
    facts.launcher_to_place = LauncherToPlace(source_folder_, facts.launcher_name, tlwin::TLFileSystem::FileExists);
    if (!facts.launcher_to_place.empty())
        tools::LogFormat(u"CInstallHelper::CopyAndRegister",
                         u"The distribution holds no \"Tunevault\\%s\": \"%s\" is copied into the destination",
                         facts.launcher_name, facts.launcher_to_place);
    return facts;
}

bool CInstallHelper::Apply(const PhaseAction& action, IInstallProgress& progress, tools::IInstallPrompts& prompts,
                           journal::CJournal& journal) {
    switch (action.kind) {
        case PhaseActionKind::kStatus:
            if (action.reset) progress.SetPosition(0);
            progress.SetText(action.source.empty() ? tools::Translate(action.text)
                                                   : TLString::Format(tools::Translate(action.text), action.source));
            return true;
        case PhaseActionKind::kShowError:
            prompts.Ask(PhaseError(action.text));
            return true;
        case PhaseActionKind::kCopyFolder:
            return CopyFolder(action.source, action.destination, action.mode, progress, *copier_,
                              action.collect ? &register_list_ : nullptr);
        case PhaseActionKind::kCopyFile:
            if (!tlwin::TLFileSystem::FileExists(action.source)) {
                tools::LogFormat(u"CInstallHelper::CopyAndRegister", u"%s is missing", action.source);
                return true;
            }
            return copier_->Copy(action.source, action.destination, CopyMode::kAlwaysOverwrite, nullptr);
        case PhaseActionKind::kStopProgram:
            tlwin::RunWithParameter(action.path, u"/Stop", true, false, nullptr, 5000);
            return true;
        case PhaseActionKind::kDeleteTree:
            journal::RemoveTree(&journal, action.path);
            return true;
        case PhaseActionKind::kDeleteFile:
            journal::RemoveFile(&journal, action.path);
            return true;
    }
    return true;
}

void CInstallHelper::RegisterProgramFiles(IInstallProgress& progress, tools::IInstallPrompts& prompts,
                                          journal::CJournal& journal) {
    TLScopedTrace trace(u"CInstallHelper::RegisterProgramFiles");
    const int count = static_cast<int>(register_list_.GetCount());
    progress.SetRange(count > 0 ? count : 1);
    progress.SetText(tools::Translate(u"Registering program files..."));
    // A Silent install registers quietly and waits for nobody on a plug-in it refuses.
    tools::SafeAnswerPrompts unattended;
    // The plug-ins' records are the install's own: undone with it, and listed for the uninstaller.
    package::CInstallWAPlugin plugins(session_.Silent ? unattended : prompts, journal);
    for (int index = 0; index < count; ++index) {
        progress.DispatchMessages();
        const TLString& file = register_list_[static_cast<size_t>(index)];
        if (!(media_server_edition_ && file.FindNoCase(u"\\Server\\") != TLString::npos)) {
            tlwin::RegisterInProcess(file);
            // A plug-in that cannot be registered is reported and passed over: the copy goes on.
            if (IsInputPlugin(file)) plugins.Register(file, session_.Silent);
        }
        progress.SetPosition(index + 1);
    }
    if (count == 0) progress.SetPosition(1);
}

// A missing association file is reported but does not stop the installation: the uninstall entry
// still follows.
void CInstallHelper::RegisterWithShell(IInstallProgress& progress, tools::IInstallPrompts& prompts,
                                       journal::CJournal& journal) {
    progress.SetRange(1);
    progress.SetPosition(0);
    progress.SetText(tools::Translate(u"Creating registry settings..."));
    shell::RegistryRoots roots;
    roots.notes = &journal;
    shell::CShellRegistration registration(install_folder_, prompts, roots);
    registration.SetApply(true);
    registration.SetNotify(true);
    registration.End();
    progress.SetPosition(1);
}

void CInstallHelper::WriteUninstallEntry(journal::CJournal& journal) {
    if (session_.PortableMode) return;
    UninstallFacts facts;
    tltools::IProductInfo* info = tools::ProductInfo();
    facts.display_name = tools::ProductItem(1);
    facts.web_address = info ? info->GetWebAddress() : TLString();
    facts.destination_folder = install_folder_;
    facts.version = info ? info->GetVersionText() : TLString();
    facts.icon_path = shell::FindProductResource(
        install_folder_, u"application.ico", [](const TLString& path) { return tlwin::TLFileSystem::FileExists(path); });
    engine::WriteUninstallEntry(session_.UninstallKeyName, facts, &journal);
}

}  // namespace engine
