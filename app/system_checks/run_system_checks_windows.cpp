#include <windows.h>

#include "app/system_checks/cpu_features.h"
#include "app/system_checks/need_internet_explorer_dlg.h"
#include "app/system_checks/performance_clock.h"
#include "app/system_checks/rights_check.h"
#include "app/system_checks/run_system_checks.h"
#include "app/system_checks/running_copy_check.h"
#include "core/process/tl_process_info_block.h"
#include "core/session/install_session.h"
#include "core/tools/message_box.h"
#include "core/tools/product_settings.h"
#include "core/tools/scoped_trace.h"
#include "core/tools/tools.h"
#include "core/windows/run_program.h"

namespace syschecks {
namespace {

// Where the user gets a newer browser component.
constexpr char16_t kBrowserDownloadPage[] = u"https://www.microsoft.com/download/internet-explorer";
constexpr DWORD kPollMilliseconds = 100;
constexpr int kStopTimeoutMilliseconds = 15000;

// The installer's own host: this machine, the tools library and the user.
class InstallerHost final : public SystemCheckHost {
public:
    bool HasRights() override { return RightsCheck(); }

    bool ProductRunning() override {
        tltools::IRunningProduct* running = RunningProduct();
        return running && running->IsRunning();
    }
    void PostCloseToProductWindow() override {
        tltools::IRunningProduct* running = RunningProduct();
        if (HWND window = running ? static_cast<HWND>(running->MainWindow()) : nullptr)
            PostMessageW(window, WM_CLOSE, 1, 0);
    }
    void CloseProductByItsOwnMeans() override {
        if (tltools::IRunningProduct* running = RunningProduct()) running->Close(kCloseWaitMilliseconds);
    }
    int64_t Milliseconds() override { return PerformanceMilliseconds(); }
    void PauseBetweenPolls() override { Sleep(kPollMilliseconds); }

    int ShowMessage(const CheckMessage& message) override {
        return tools::ShowMessage(nullptr, message.title, message.text, message.buttons);
    }

    TLString InstalledProductFolder() override {
        const TLProcessInfoBlock* block = TLProcessInfoBlock::Get();
        return block ? block->GetString(TLProcessInfoBlock::kInstallFolder) : TLString();
    }
    void RunStopCommand(const TLString& program) override {
        tlwin::RunWithParameter(program, u"/Stop", false, false, nullptr, kStopTimeoutMilliseconds);
    }

    BrowserComponent Browser() override { return ReadBrowserComponent(); }
    int ShowBrowserDialog() override { return CNeedInternetExplorerDlg(tools::ProductItem(1)).DoModal(nullptr); }
    void OpenBrowserDownloadPage() override {
        tlwin::RunProgram(kBrowserDownloadPage, TLStringArray(), true, false, false, nullptr, 0);
    }

    uint32_t CpuFlags() override { return CpuFeatureFlags(); }
    OsInfo Os() override { return GetOsInfo(); }

private:
    static tltools::IRunningProduct* RunningProduct() {
        tltools::ToolsInterface* tools = tools::Interface();
        return tools ? tools->GetRunningProduct(1) : nullptr;
    }
};

}  // namespace

bool RunSystemChecks() {
    TLScopedTrace trace(u"RunSystemChecks");
    InstallerHost host;
    const CheckSettings settings{InstallSession::Get().Silent,
                                 {tools::ProductItem(0), tools::ProductItem(1)},
                                 ReadProductSetting(ProductSetting::kMinIEVersion, tools::ProductInfo()).text};
    const bool passed = RunSystemChecks(host, settings);
    trace.SetResult(passed);
    return passed;
}

}  // namespace syschecks
