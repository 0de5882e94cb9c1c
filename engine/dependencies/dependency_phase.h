#pragma once
// The dependency step of the copy page: its heading, then each dependency in turn.

#include "engine/dependencies/dependency_context.h"

namespace engine {

struct DependencyChoices {
    bool no_dependencies = false;  // the "NoDependencies" switch
    bool portable = false;
    bool directx_wanted = false;  // the product information's feature 182
};

// False when the installation must stop: the user cancelled a download, or a failed dependency does
// not let it go on. Once this returns, nothing of the step runs any more.
bool RunDependencyPhase(DependencyContext& context, const DependencyChoices& choices);

}  // namespace engine
