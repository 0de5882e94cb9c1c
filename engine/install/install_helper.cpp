#include "engine/install/install_helper.h"

#include <objbase.h>
#include <windows.h>

#include "app/installation_record.h"
#include "app/product_settings.h"
#include "core/path/path_parts.h"
#include "core/process/tl_process_info_block.h"
#include "core/tools/message_box.h"
#include "core/tools/message_service_prompts.h"
#include "core/tools/scoped_trace.h"
#include "core/tools/tools.h"
#include "engine/cleaning/cleaning.h"
#include "engine/copy/file_kinds.h"
#include "engine/copy/folder_copy.h"
#include "engine/filesystem/tl_file_system.h"
#include "engine/install/launcher_placement.h"
#include "engine/install/product_folder_facts.h"
#include "engine/migration/settings_migration.h"
#include "engine/process/run_program.h"
#include "engine/uninstall/uninstall_entry.h"
#include "shell/shell_registration.h"

namespace engine {
namespace {

TLString Folder(UINT (*get)(LPWSTR, UINT)) {
    wchar_t path[MAX_PATH] = {};
    const UINT length = get(path, MAX_PATH);
    TLString folder(std::u16string_view(reinterpret_cast<const char16_t*>(path), length < MAX_PATH ? length : 0));
    return folder.EnsureTrailingBackslash();
}

UINT SystemFolder(LPWSTR path, UINT size) { return GetSystemDirectoryW(path, size); }
UINT SystemWow64Folder(LPWSTR path, UINT size) { return GetSystemWow64DirectoryW(path, size); }
UINT WindowsFolder(LPWSTR path, UINT size) { return GetWindowsDirectoryW(path, size); }

void ShowError(const IInstallProgress& progress, const char16_t* text) {
    tools::ShowTranslatedMessage(static_cast<HWND>(progress.OwnerWindow()), u"Error", {text},
                                 tltools::IMessageService::kOk);
}

}  // namespace

CInstallHelper::CInstallHelper(const InstallSession& session, TLString source_folder, PendingOperations& pending)
    : session_(session), source_folder_(std::move(source_folder)), pending_(pending) {}

bool CInstallHelper::CopyAndRegister(IInstallProgress& progress) {
    TLScopedTrace trace(u"CInstallHelper::CopyAndRegister");
    install_folder_ = session_.DestinationFolder();
    copier_.emplace(source_folder_, install_folder_, pending_);
    if (!tlpath::HasDriveOrServer(install_folder_)) {
        tools::LogFormat(u"CInstallHelper::CopyAndRegister", u"\"%s\" is no folder to install to", install_folder_);
        trace.SetResult(0);
        return false;
    }
    progress.SetCancelEnabled(false);
    progress.SetHeading(tools::Translate(u"Copying Files"),
                        tools::Translate(u"Please wait while Install Wizard copies and registers files."));
    Clean(progress);
    installation::CompletePortableInstall(session_);
    MigrateSettings(progress);

    TLStringArray core_libraries;
    if (!installation::RegisterInstallation(session_, source_folder_, progress.OwnerWindow(), core_libraries)) {
        trace.SetResult(0);
        return false;
    }
    copier_->SetCopiedCoreLibraries(std::move(core_libraries));
    CoFreeUnusedLibraries();
    progress.SetPosition(0);

    InstallSystemFiles(progress);
    StopMediaServer();
    if (holds_product_) TLFileSystem::DeleteDirectoryTree(install_folder_ + u"Data\\Panel\\Root\\Default\\static");
    CopyProgramFiles(progress);
    PlaceLauncherFromReadOnlyMedia();
    RemoveFormerLayout();
    CopyFileW((source_folder_ + u"License.txt").wc(), (install_folder_ + u"License.txt").wc(), FALSE);
    RegisterProgramFiles(progress);
    if (TLProcessInfoBlock* block = TLProcessInfoBlock::Get())
        block->SetString(TLProcessInfoBlock::kDataFolder, install_folder_);
    RegisterWithShell(progress);
    WriteUninstallEntry();

    if (copier_->FilesNotInstalled())
        tools::LogFormat(u"CInstallHelper::CopyAndRegister", u"Incomplete: %d files could not be put in place",
                         copier_->FilesNotInstalled());
    trace.SetResult(1);
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

void CInstallHelper::MigrateSettings(IInstallProgress& progress) {
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
    migration::MigrateSettings(request, progress);
}

// A missing association file is reported but does not stop the installation: the uninstall entry
// still follows.
void CInstallHelper::RegisterWithShell(IInstallProgress& progress) {
    progress.SetRange(1);
    progress.SetPosition(0);
    progress.SetText(tools::Translate(u"Creating registry settings..."));
    tools::MessageServicePrompts prompts(static_cast<HWND>(progress.OwnerWindow()));
    shell::CShellRegistration registration(install_folder_, prompts);
    registration.SetApply(true);
    registration.SetNotify(true);
    registration.End();
    progress.SetPosition(1);
}

void CInstallHelper::InstallSystemFiles(IInstallProgress& progress) {
    progress.SetText(tools::Translate(u"Installing system files..."));
    if (session_.PortableMode) return;
    for (const TLString& system_folder : {Folder(SystemFolder), Folder(SystemWow64Folder)}) {
        if (system_folder.empty()) {
            ShowError(progress,
                      u"The install wizard can not obtain the Windows system path. System files will not be "
                      u"installed.");
            continue;
        }
        CopyFolder(source_folder_ + u"System\\Check Version\\", system_folder, CopyMode::kCheckVersion, progress,
                   *copier_, nullptr);
        CopyFolder(source_folder_ + u"System\\Always Overwrite\\", system_folder, CopyMode::kAlwaysOverwrite, progress,
                   *copier_, nullptr);
        const TLString windows_folder = Folder(WindowsFolder);
        if (windows_folder.empty()) {
            ShowError(progress,
                      u"The install wizard can not obtain the system font path. Custom fonts will not be "
                      u"installed.");
            continue;
        }
        CopyFolder(source_folder_ + u"Fonts\\", windows_folder + u"Fonts\\", CopyMode::kFont, progress, *copier_,
                   nullptr);
    }
}

void CInstallHelper::StopMediaServer() {
    if (!media_server_edition_) return;
    const TLString program = install_folder_ + tools::MainProgramFileName();
    if (TLFileSystem::FileExists(program)) tlproc::RunWithParameter(program, u"/Stop", true, false, nullptr, 5000);
    if (holds_product_) TLFileSystem::DeleteDirectoryTree(install_folder_ + u"Server\\");
}

void CInstallHelper::CopyProgramFiles(IInstallProgress& progress) {
    TLScopedTrace trace(u"CInstallHelper::CopyProgramFiles");
    progress.SetPosition(0);
    progress.SetText(TLString::Format(tools::Translate(u"Installing %s program files..."), tools::ProductItem(1)));
    CopyFolder(source_folder_ + u"Tunevault\\", install_folder_, CopyMode::kAlwaysOverwrite, progress, *copier_,
               &register_list_);
}

void CInstallHelper::PlaceLauncherFromReadOnlyMedia() {
    const TLString launcher_name = tools::LauncherFileName();
    const TLString launcher = LauncherToPlace(source_folder_, launcher_name, TLFileSystem::FileExists);
    if (launcher.empty()) return;
    tools::LogFormat(u"CInstallHelper::PlaceLauncherFromReadOnlyMedia",
                     u"The distribution holds no \"Tunevault\\%s\": \"%s\" is copied into the destination",
                     launcher_name, launcher);
    copier_->Copy(launcher, install_folder_ + launcher_name, CopyMode::kAlwaysOverwrite, nullptr);
}

// Folders and driver files of earlier layouts.
void CInstallHelper::RemoveFormerLayout() {
    if (!holds_product_) return;
    const TLString languages = install_folder_ + u"Data\\Languages\\";
    if (TLFileSystem::FolderExists(languages + u"Chinese\\") &&
        TLFileSystem::FolderExists(languages + u"Chinese (simplified)\\"))
        TLFileSystem::DeleteDirectoryTree(languages + u"Chinese\\");
    TLFileSystem::DeleteDirectoryTree(install_folder_ + u"Drivers\\32\\");
    TLFileSystem::DeleteDirectoryTree(install_folder_ + u"Drivers\\64\\");
    TLFileSystem::DeleteFile(install_folder_ + u"Drivers\\CorvaneWDMDriver.cat");
    TLFileSystem::DeleteFile(install_folder_ + u"Drivers\\CorvaneWDMDriver.inf");
}

void CInstallHelper::RegisterProgramFiles(IInstallProgress& progress) {
    TLScopedTrace trace(u"CInstallHelper::RegisterProgramFiles");
    const int count = static_cast<int>(register_list_.GetCount());
    progress.SetRange(count > 0 ? count : 1);
    progress.SetText(tools::Translate(u"Registering program files..."));
    for (int index = 0; index < count; ++index) {
        progress.DispatchMessages();
        const TLString& file = register_list_[static_cast<size_t>(index)];
        if (!(media_server_edition_ && file.FindNoCase(u"\\Server\\") != TLString::npos)) {
            tlproc::RegisterInProcess(file);
            if (IsInputPlugin(file))
                tools::LogFormat(u"CInstallHelper::RegisterProgramFiles",
                                 u"Registering player input plug-ins is not built yet: %s is not recorded", file);
        }
        progress.SetPosition(index + 1);
    }
    if (count == 0) progress.SetPosition(1);
}

void CInstallHelper::WriteUninstallEntry() {
    if (session_.PortableMode) return;
    UninstallFacts facts;
    tltools::IProductInfo* info = tools::ProductInfo();
    facts.display_name = tools::ProductItem(1);
    facts.web_address = info ? info->GetWebAddress() : TLString();
    facts.destination_folder = install_folder_;
    facts.version = info ? info->GetVersionText() : TLString();
    facts.icon_path = FindProductResource(install_folder_, u"application.ico",
                                          [](const TLString& path) { return TLFileSystem::FileExists(path); });
    engine::WriteUninstallEntry(session_.UninstallKeyName, facts);
}

}  // namespace engine
