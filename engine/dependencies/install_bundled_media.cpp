#include "core/tools/tools.h"
#include "engine/copy/file_copier.h"
#include "engine/copy/folder_copy.h"
#include "engine/dependencies/install_dependency.h"
#include "engine/filesystem/tl_file_system.h"

namespace engine {

bool CInstallBundledMedia::Install(DependencyContext& context) {
    if (context.bundled_media_folder.empty()) return true;
    IInstallProgress& progress = context.progress;
    progress.SetRange(100);
    progress.SetText(tools::Translate(u"Installing media..."));
    const TLString media = context.destination + u"Media\\";
    CFileCopier copier(context.bundled_media_folder, context.destination, context.pending);
    CopyFolder(context.bundled_media_folder, media, CopyMode::kCheckVersion, progress, copier, nullptr);
    const TLString playlist = media + u"Playlist.mpl";
    if (TLFileSystem::FileExists(playlist)) {
        tools::Settings properties = tools::OpenSettingsSection(u"Properties");
        if (!properties.SetString(u"Install - Startup Media", playlist))
            tools::Log(u"CInstallBundledMedia::Install", u"The startup media could not be stored",
                       tltools::ILogger::kWarning);
    }
    return true;
}

}  // namespace engine
