#include "engine/dependencies/dependency_phase.h"

#include <memory>

#include "core/tools/scoped_trace.h"
#include "core/tools/tools.h"
#include "engine/dependencies/dependency_rules.h"
#include "engine/dependencies/install_dependency.h"

namespace engine {
namespace {

std::unique_ptr<IInstallDependency> Make(Dependency dependency) {
    if (dependency == Dependency::kDirectX) return std::make_unique<CInstallDirectX>();
    return std::make_unique<CInstallBundledMedia>();
}

}  // namespace

bool RunDependencyPhase(DependencyContext& context, const DependencyChoices& choices) {
    TLScopedTrace trace(u"RunDependencyPhase");
    const Heading heading = DependencyHeading();
    context.progress.SetHeading(heading.title, heading.subtitle);
    for (Dependency kind : PlanDependencies(choices.no_dependencies, choices.portable, choices.directx_wanted)) {
        std::unique_ptr<IInstallDependency> dependency = Make(kind);
        const bool installed = dependency->Install(context);
        if (context.progress.CancelRequested()) {
            tools::Log(u"RunDependencyPhase", u"Cancelled");
            trace.SetResult(0);
            return false;
        }
        if (!installed && !dependency->OnFailure(context)) {
            trace.SetResult(0);
            return false;
        }
    }
    trace.SetResult(1);
    return true;
}

}  // namespace engine
