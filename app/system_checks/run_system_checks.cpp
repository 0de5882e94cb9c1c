#include "app/system_checks/run_system_checks.h"

#include "app/system_checks/cpu_features.h"
#include "app/system_checks/running_copy_check.h"
#include "core/tools/tools.h"

namespace syschecks {
namespace {

constexpr char16_t kFunction[] = u"RunSystemChecks";

bool Refuse(SystemCheckHost& host, CheckMessageId id, const ProductNames& names) {
    host.ShowMessage(ComposeCheckMessage(id, names));
    return false;
}

void StopService(SystemCheckHost& host) {
    TLString folder = host.InstalledProductFolder();
    if (folder.empty()) {
        tools::Log(kFunction, u"No installed product folder: the service is left alone");
        return;
    }
    folder.EnsureTrailingBackslash();
    host.RunStopCommand(folder + u"TLService.exe");
}

bool BrowserComponentCheck(SystemCheckHost& host, const TLString& minimum) {
    const BrowserComponent browser = host.Browser();
    tools::LogFormat(kFunction, u"Browser component: %s, version %s, minimum %s",
                     browser.available ? u"available" : u"missing", browser.version, minimum);
    if (BrowserComponentSufficient(browser, minimum)) return true;
    if (host.ShowBrowserDialog() == kBrowserDownload) host.OpenBrowserDownloadPage();
    return false;
}

bool ProcessorCheck(SystemCheckHost& host, const ProductNames& names) {
    const uint32_t flags = host.CpuFlags();
    tools::LogFormat(kFunction, u"Processor features 0x%08X", flags);
    if ((flags & kCpuMmx) && (flags & kCpuSse2)) return true;
    return Refuse(host, CheckMessageId::kNoSse2, names);
}

bool WindowsCheck(SystemCheckHost& host, const ProductNames& names) {
    const OsInfo os = host.Os();
    tools::LogFormat(kFunction, u"Windows: %s (code %d)", os.name, static_cast<int>(os.code));
    // Windows 2000 and every later NT, the ones not yet known included.
    if (os.code > kOsWindowsNt && os.code < 2000) return true;
    return Refuse(host, CheckMessageId::kWindowsTooOld, names);
}

}  // namespace

bool RunSystemChecks(SystemCheckHost& host, const CheckSettings& settings) {
    const ProductNames& names = settings.names;
    if (!host.HasRights()) {
        tools::Log(kFunction, u"No rights to change the machine's settings", tltools::ILogger::kError);
        return Refuse(host, CheckMessageId::kNoRights, names);
    }
    tools::Log(kFunction, u"Rights: the machine's settings can be changed");
    if (!CheckRunningCopy(host, settings.silent, names)) return false;
    StopService(host);
    return BrowserComponentCheck(host, settings.minimum_browser_version) && ProcessorCheck(host, names) &&
           WindowsCheck(host, names);
}

}  // namespace syschecks
