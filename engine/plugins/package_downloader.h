#pragma once
// Packages of the support folders that name their files by address fetch them through the installer's
// own loader, as the dependency step does.

#include "package/install/install_package.h"

namespace engine {

class CPackageDownloader final : public package::IPackageDownloader {
public:
    bool Download(const TLString& url, const TLString& file, const TLString& caption) override;
};

}  // namespace engine
