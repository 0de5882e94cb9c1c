#include "app/system_checks/running_copy_check.h"

#include "core/tools/tools.h"

namespace syschecks {
namespace {

constexpr char16_t kFunction[] = u"CheckRunningCopy";

void CloseThroughWindow(SystemCheckHost& host) {
    host.PostCloseToProductWindow();
    const int64_t start = host.Milliseconds();
    while (host.ProductRunning() && host.Milliseconds() - start < kCloseWaitMilliseconds) host.PauseBetweenPolls();
}

}  // namespace

bool ClosesThroughItsWindow(const TLString& closing_name) {
    if (closing_name.empty()) return false;
    tltools::ToolsInterface* tools = tools::Interface();
    if (tltools::IStringService* strings = tools ? tools->GetStringService(1) : nullptr)
        return strings->FindText(closing_name, u"Gantry", tltools::IStringService::kIgnoreCase) >= 0;
    return closing_name.FindNoCase(u"Gantry") != TLString::npos;
}

bool CheckRunningCopy(SystemCheckHost& host, bool silent, const ProductNames& names) {
    if (!host.ProductRunning()) return true;
    tools::LogFormat(kFunction, u"A copy of %s is running", names.closing);
    if (!silent && host.ShowMessage(ComposeCheckMessage(CheckMessageId::kCloseRunningCopy, names)) !=
                       tltools::IMessageService::kResultYes) {
        tools::Log(kFunction, u"The user keeps it running");
        return false;
    }
    if (ClosesThroughItsWindow(names.closing)) {
        tools::Log(kFunction, u"Closing it through its main window");
        CloseThroughWindow(host);
    } else {
        tools::Log(kFunction, u"Closing it by the product's own means");
        host.CloseProductByItsOwnMeans();
    }
    if (!host.ProductRunning()) return true;

    tools::Log(kFunction, u"It did not close; asking the user to close it");
    host.ShowMessage(ComposeCheckMessage(CheckMessageId::kPleaseClose, names));
    if (!host.ProductRunning()) return true;
    host.ShowMessage(ComposeCheckMessage(CheckMessageId::kStillRunning, names));
    tools::Log(kFunction, u"It is still running", tltools::ILogger::kError);
    return false;
}

}  // namespace syschecks
