// Runs the copy-and-register phase of an install the way the copy-and-install page does (window
// messages dispatched after every status and progress change), from a distribution into a folder,
// without the wizard around it:  copy_phase_run <distribution folder\> <destination folder\>
// The copy benchmark times it against xcopy.
#include <windows.h>

#include <cstdio>

#include "core/session/install_session.h"
#include "core/tools/message_service_prompts.h"
#include "core/tools/module_loader.h"
#include "core/tools/tools.h"
#include "core/windows/run_program.h"
#include "engine/install/install_helper.h"

namespace {

class DispatchingProgress final : public engine::IInstallProgress {
public:
    void SetHeading(const TLString&, const TLString&) override {}
    void SetRange(int) override {}
    void SetPosition(int) override { tlwin::DispatchPendingMessages(); }
    void SetText(const TLString&) override { tlwin::DispatchPendingMessages(); }
    void DispatchMessages() override { tlwin::DispatchPendingMessages(); }
    void SetCancelEnabled(bool) override {}
    bool CancelRequested() const override { return false; }
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 3) {
        std::fwprintf(stderr, L"usage: copy_phase_run <distribution folder\\> <destination folder\\>\n");
        return 2;
    }
    TLString distribution(argv[1]);
    distribution.EnsureTrailingBackslash();
    if (!tltools::TLModuleLoader::Get().LoadFrom(tltools::kToolsSlot, distribution + u"Tunevault\\")) return 1;
    TLString error;
    if (!tools::ProductInfo() || !tools::ProductInfo()->Load(distribution + u"Tunevault\\Product.xml", &error))
        return 1;
    InstallSession& session = InstallSession::Get();
    session.SetDestinationFolder(argv[2]);
    session.UninstallKeyName = u"Tonehall 27 (64-bit)";
    DispatchingProgress progress;
    engine::CInstallHelper helper(session, distribution, engine::ProcessPendingOperations());
    tools::MessageServicePrompts prompts;
    const bool completed = helper.CopyAndRegister(progress, prompts);
    tltools::TLModuleLoader::Get().UnloadAll();
    return completed ? 0 : 1;
}
