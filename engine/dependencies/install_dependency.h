#pragma once
// IInstallDependency: something the product needs from outside its own files, installed before the
// program files are copied.

#include "engine/dependencies/dependency_context.h"

namespace engine {

class IInstallDependency {
public:
    virtual ~IInstallDependency() = default;
    // Returns success.
    virtual bool Install(DependencyContext& context) = 0;
    // After a failed Install: whether the installation may go on.
    virtual bool OnFailure(DependencyContext&) { return true; }
};

// The DirectX runtime components: their set-up "d3dx943.exe" runs unless Windows is too old or has
// them already. A failed download only leaves them missing: the install always succeeds.
class CInstallDirectX final : public IInstallDependency {
public:
    bool Install(DependencyContext& context) override;
};

// The media shipped with the installer: copied into the destination's "Media" folder, and its
// playlist "Playlist.mpl" becomes the product's startup media.
class CInstallBundledMedia final : public IInstallDependency {
public:
    bool Install(DependencyContext& context) override;
};

}  // namespace engine
