#include "engine/plugins/package_downloader.h"

#include "core/tools/tools.h"
#include "engine/dependencies/file_loader.h"

namespace engine {

bool CPackageDownloader::Download(const TLString& url, const TLString& file, const TLString& caption) {
    CFileLoader loader;
    const CFileLoader::Result result = loader.Load(url, file);
    tools::LogFormat(u"CPackageDownloader", u"%s: '%s' to '%s' (%d)", caption, url, file, static_cast<int>(result));
    return result == CFileLoader::Result::kLoaded;
}

}  // namespace engine
