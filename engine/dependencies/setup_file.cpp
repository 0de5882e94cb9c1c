#include "engine/dependencies/setup_file.h"

#include "core/tools/scoped_trace.h"
#include "core/tools/tools.h"
#include "engine/dependencies/dependency_rules.h"
#include "engine/dependencies/setup_download.h"
#include "engine/filesystem/tl_file_system.h"
#include "engine/process/run_program.h"

namespace engine {

TLString FindSetupFile(DependencyContext& context, const TLString& file_name, const TLString& display_name) {
    for (size_t i = 0; i < context.support_folders.GetCount(); ++i) {
        const TLString candidate = context.support_folders[i] + file_name;
        if (TLFileSystem::FileExists(candidate)) return candidate;
    }
    if (context.download_base.empty()) {
        tools::LogFormat(u"FindSetupFile", u"%s is not in the support folders and there is no download address",
                         file_name);
        return TLString();
    }
    SetupDownload download;
    download.address = DownloadAddress(context.download_base, file_name);
    if (context.support_folders.GetCount()) download.target = context.support_folders[0] + file_name;
    if (context.expected_sha256) download.expected_sha256 = context.expected_sha256(file_name);

    IInstallProgress& progress = context.progress;
    const Heading downloading = DownloadHeading();
    progress.SetHeading(downloading.title, downloading.subtitle);
    progress.SetCancelEnabled(true);
    progress.SetText(TLString::Format(tools::Translate(u"Downloading %s from server..."), display_name));
    const bool downloaded = DownloadSetupFile(download, progress, context.error_text);
    progress.SetCancelEnabled(false);
    const Heading phase = DependencyHeading();
    progress.SetHeading(phase.title, phase.subtitle);
    return downloaded ? download.target : TLString();
}

bool InstallSetupFile(DependencyContext& context, const TLString& file_name, const TLStringArray& parameters,
                      const TLString& display_name) {
    TLScopedTrace trace(u"InstallSetupFile");
    const TLString path = FindSetupFile(context, file_name, display_name);
    if (path.empty()) {
        trace.SetResult(0);
        return false;
    }
    IInstallProgress& progress = context.progress;
    progress.SetRange(100);
    progress.SetPosition(0);
    progress.SetText(TLString::Format(tools::Translate(u"Installing %s..."), display_name));
    progress.SetPosition(30);
    tlproc::RunProgram(path, parameters, true, true, true, nullptr, 0);
    progress.SetPosition(100);
    trace.SetResult(1);
    return true;
}

}  // namespace engine
