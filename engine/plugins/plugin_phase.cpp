#include "engine/plugins/plugin_phase.h"

#include <windows.h>

#include "core/path/path_parts.h"
#include "core/process/tl_process_info_block.h"
#include "core/process/tl_shared_memory.h"
#include "core/tools/product_key.h"
#include "core/tools/scoped_trace.h"
#include "core/tools/tools.h"
#include "core/windows/run_program.h"
#include "core/windows/tl_file_system.h"
#include "engine/copy/file_copier.h"
#include "engine/journal/journal.h"
#include "engine/journal/record_notes.h"
#include "engine/plugins/package_downloader.h"
#include "package/install/install_package.h"

namespace engine {
namespace {

constexpr char16_t kDriverRevisionValue[] = u"WDM Driver Installed Version";

void FindIn(const TLString& folder, TLStringArray& found) {
    WIN32_FIND_DATAW data;
    HANDLE search = FindFirstFileW((folder + u"*").wc(), &data);
    if (search == INVALID_HANDLE_VALUE) return;
    TLStringArray subfolders;
    do {
        const TLString name(data.cFileName);
        if (name == u"." || name == u"..") continue;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            // A link could lead anywhere, or round in a circle.
            if (!(data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) subfolders.Add(folder + name + u"\\");
        } else if (tlpath::ExtensionOf(name).EqualsNoCase(u".qvp")) {
            found.Add(folder + name);
        }
    } while (FindNextFileW(search, &data));
    FindClose(search);
    for (const TLString& subfolder : subfolders) FindIn(subfolder, found);
}

std::optional<int> InstalledDriverRevision() {
    tools::Settings properties = tools::OpenExistingSettingsSection(u"Properties");
    const int64_t missing = -1;
    const int64_t revision = properties.GetInteger(kDriverRevisionValue, missing);
    if (revision == missing) return std::nullopt;
    return static_cast<int>(revision);
}

void InstallPackages(PluginPhaseContext& context, const TLStringArray& packages, int& position) {
    const package::PackageTarget target = package::ProductTarget(context.destination);
    tools::SafeAnswerPrompts unattended;
    tools::IInstallPrompts& prompts = context.silent ? unattended : context.prompts;
    CFileCopier copier(context.source_folder, context.destination, context.pending, prompts);
    CPackageDownloader downloader;
    // The copy phase has committed its journal by now: what a package changes joins the install record.
    const TLString record = context.destination + journal::kInstallRecordName;
    for (const TLString& path : packages) {
        journal::CRecordNotes notes;
        package::CInstallPackage installer(target, prompts, notes, &downloader);
        if (installer.Load(path)) {
            const TLString name = installer.Description().name.empty() ? tlpath::NameOf(path) : installer.Description().name;
            context.progress.SetText(TLString::Format(tools::Translate(u"Installing plug-in '%s'"), name));
            TLSharedMemory signal;
            if (signal.Open(package::kInstallPackageError, 4)) signal.data()[0] = 0;
            if (installer.Install(path)) {
                installer.Cleanup();
            } else {
                tools::LogFormat(u"RunPluginPhase", u"'%s' did not complete: staged for the next start", path);
                installer.Cleanup();
                copier.RecordForNextStart(path, TLString(), true);
            }
            notes.NoteRegistryValue(HKEY_CURRENT_USER, tools::ProductSettingsKey() + u"Plugins\\System", name);
            tools::OpenSettingsSection(u"Plugins\\System").SetString(name, u"installed");
            notes.AddTo(record);
        } else {
            tools::LogFormat(u"RunPluginPhase", u"'%s' is no package: passed over", path);
        }
        context.progress.SetText(TLString());
        context.progress.SetPosition(++position);
    }
}

void InstallOrRemoveDriver(PluginPhaseContext& context) {
    const TLProcessInfoBlock& block = *TLProcessInfoBlock::Get();
    switch (DecideDriver(context.driver, InstalledDriverRevision())) {
        case DriverAction::kNothing: break;
        case DriverAction::kRemove:
            tlwin::RunPackageInstaller(block, u"/RemoveWDMDriver");
            tools::OpenSettingsSection(u"Properties").DeleteValue(kDriverRevisionValue);
            break;
        case DriverAction::kInstall: {
            context.progress.SetText(tools::Translate(u"Installing WDM driver"));
            const TLString inf = DriverInfPath(context.destination, context.driver.os_code);
            // The revision is kept only for a driver that was installed, so that a failed one is
            // tried again by the next install.
            const bool installed =
                tlwin::TLFileSystem::FileExists(inf) && tlwin::RunPackageInstaller(block, u"/InstallWDMDriver " + inf);
            if (installed) tools::OpenSettingsSection(u"Properties").SetInteger(kDriverRevisionValue, kDriverRevision);
            else tools::LogFormat(u"RunPluginPhase", u"The driver was not installed from '%s'", inf);
            break;
        }
    }
}

}  // namespace

TLStringArray FindPackageFiles(const TLStringArray& folders) {
    TLStringArray found;
    for (TLString folder : folders) {
        folder.EnsureTrailingBackslash();
        FindIn(folder, found);
    }
    return found;
}

void RunPluginPhase(PluginPhaseContext& context) {
    TLScopedTrace trace(u"RunPluginPhase");
    IInstallProgress& progress = context.progress;
    progress.SetHeading(tools::Translate(u"Installing Plugins"),
                        tools::Translate(u"Please wait while Install Wizard installs and registers plug-ins."));
    progress.SetRange(5);
    progress.SetPosition(0);
    progress.SetText(tools::Translate(u"Initializing..."));

    const TLStringArray packages = FindPackageFiles(context.support_folders);
    const bool driver_wanted = DriverWanted(context.driver);
    progress.SetRange(PluginStepRange(context.media_server_edition, driver_wanted, packages.GetCount()));
    progress.SetPosition(0);

    if (context.media_server_edition) {
        progress.SetText(tools::Translate(u"Installing Gantry Server as system service"));
        tlwin::RunProgram(context.destination + u"GantryControl.exe", {u"/Install"}, true, true, true, nullptr, 0);
        progress.SetText(TLString());
        progress.SetPosition(1);
        return;
    }

    progress.SetText(TLString::Format(tools::Translate(u"Installing %s Shell Integration"), tools::ProductItem(0)));
    if (context.shell_integration_enabled && context.pending.shell_extension_in_place)
        tlwin::RunPackageInstaller(*TLProcessInfoBlock::Get(), u"/RegDLL Shell Extensions");
    int position = 1;
    progress.SetPosition(position);

    InstallPackages(context, packages, position);

    InstallOrRemoveDriver(context);
    progress.SetText(TLString());
    progress.SetPosition(++position);
}

}  // namespace engine
