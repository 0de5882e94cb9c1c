#pragma once
// TLMediaUninstall.exe: removes the product installed in its own folder, as that install's record
// lists it. Asks once (unless "/Silent"), closes the running product first, undoes the install last
// change first, and removes the product's uninstall entry and installations record. The exit code
// tells a distributor's script how it went: 0 removed, 3010 removed once Windows restarts, 1603 not
// (or not completely) removed.

#include <memory>

#include "core/app/tl_app.h"
#include "product/uninstall/uninstall_executor.h"

namespace uninstall {

inline constexpr int kExitRemoved = 0;
inline constexpr int kExitRestartNeeded = 3010;
inline constexpr int kExitFailed = 1603;

class CUninstallApp final : public TLGraphicalApp {
public:
    bool InitInstance() override;
    int Run() override;
    void ExitInstance() override;

private:
    int Uninstall();
    TLString running_program_;
    std::unique_ptr<CUninstallExecutor> executor_;
    bool finished_ = false;
    bool silent_ = false;
    bool tools_loaded_ = false;
};

}  // namespace uninstall
