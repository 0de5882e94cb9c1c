#include <windows.h>

#include "app/system_checks/cpu_features.h"
#include "app/system_checks/need_internet_explorer_dlg.h"
#include "app/system_checks/performance_clock.h"
#include "app/system_checks/rights_check.h"
#include "app/system_checks/run_system_checks.h"
#include "app/system_checks/running_copy_check.h"
#include "core/process/tl_process_info_block.h"
#include "core/session/install_session.h"
#include "core/tools/install_prompts.h"
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

// The installer's own host: this machine, the tools library and the user, who answers through the
// run's prompts.
class InstallerHost final : public SystemCheckHost {
public:
    InstallerHost(tools::IInstallPrompts& prompts, bool nobody_answers)
        : prompts_(prompts), nobody_answers_(nobody_answers) {}

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

    // A question's safe answer is No: the run ends rather than closing the product unasked.
    int ShowMessage(const CheckMessage& message) override {
        tools::Prompt prompt;
        prompt.title = message.title;
        prompt.text = message.text;
        prompt.buttons = message.buttons;
        if (message.buttons == tltools::IMessageService::kYesNo)
            prompt.safe_answer = tltools::IMessageService::kResultNo;
        return prompts_.Ask(prompt);
    }

    TLString InstalledProductFolder() override {
        const TLProcessInfoBlock* block = TLProcessInfoBlock::Get();
        return block ? block->GetString(TLProcessInfoBlock::kInstallFolder) : TLString();
    }
    void RunStopCommand(const TLString& program) override {
        tlwin::RunWithParameter(program, u"/Stop", false, false, nullptr, kStopTimeoutMilliseconds);
    }

    BrowserComponent Browser() override { return ReadBrowserComponent(); }
    int ShowBrowserDialog() override {
        if (nobody_answers_) {
            tools::Log(u"RunSystemChecks",
                       u"Nobody is there to answer, so the browser component dialog is not shown: \"Quit Setup\"");
            return kBrowserQuitSetup;
        }
        const int answer = CNeedInternetExplorerDlg(tools::ProductItem(1)).DoModal(nullptr);
        tools::LogFormat(u"RunSystemChecks", u"Browser component dialog answered: \"%s\"",
                         answer == kBrowserDownload ? u"Download" : u"Quit Setup");
        return answer;
    }
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

    tools::IInstallPrompts& prompts_;
    bool nobody_answers_;
};

}  // namespace

bool RunSystemChecks(tools::IInstallPrompts& prompts, bool nobody_answers) {
    TLScopedTrace trace(u"RunSystemChecks");
    InstallerHost host(prompts, nobody_answers);
    const CheckSettings settings{InstallSession::Get().Silent,
                                 {tools::ProductItem(0), tools::ProductItem(1)},
                                 ReadProductSetting(ProductSetting::kMinIEVersion, tools::ProductInfo()).text};
    const bool passed = RunSystemChecks(host, settings);
    trace.SetResult(passed);
    return passed;
}

}  // namespace syschecks
