#include "shell/settings/install_counters.h"

#include <windows.h>

#include "core/tools/tools.h"

namespace {

TLString CurrentDateText() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return TLString::Format(u"%04d-%02d-%02d %02d:%02d:%02d", now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute,
                            now.wSecond);
}

}  // namespace

void RecordInstall(bool upgrade) {
    tools::Settings properties = tools::OpenSettingsSection(u"Properties"_tl);
    properties.SetInteger(u"Install - First Install"_tl, upgrade ? 0 : 1);
    if (upgrade) {
        properties.SetInteger(u"File Associations - Set"_tl, 1);
        return;
    }
    properties.SetString(u"Install - First Install Date"_tl, CurrentDateText());
    properties.SetInteger(u"Install - Number Runs Total"_tl, 0);
}

void RecordInstallRun(bool upgrade) {
    tools::OpenSettingsSection(u"Properties"_tl).SetInteger(u"Install - Number Runs After Last Install"_tl, 0);
    tools::Settings installer = tools::OpenSettingsSection(u"Installer"_tl);
    installer.SetInteger(u"Install - Install Count"_tl, installer.GetInteger(u"Install - Install Count"_tl, 0) + 1);
    if (upgrade) return;
    installer.SetString(u"Release Channel - Pending Install"_tl, TLString());
    installer.SetString(u"Release Channel - Pending Install Version"_tl, TLString());
    installer.DeleteValue(u"Release Channel - Pending Install Run Count"_tl);
    installer.DeleteValue(u"Release Channel - Pending Install Install Count"_tl);
}
