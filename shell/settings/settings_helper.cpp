#include "shell/settings/settings_helper.h"

#include <windows.h>

#include "core/process/tl_process_info_block.h"
#include "core/tools/scoped_trace.h"
#include "core/windows/known_folders.h"
#include "core/windows/registry.h"
#include "core/windows/run_program.h"
#include "shell/settings/default_settings_table.h"

namespace {

using tlsettings::DefaultSetting;
using tlsettings::FindDefaultSetting;
using tlsettings::MachineDefault;

constexpr std::u16string_view kTraceName = u"CSettingsHelper::Set";
constexpr std::u16string_view kDefaultSettingsPath = u"/*/DefaultSettings/";

TLString ShellHandlerKey() { return u"*\\shellex\\ContextMenuHandlers\\"_tl + tools::ProductItem(0) + u" x64"; }

bool IsShellHandlerRegistered() { return tlwin::RegistryKey::Open(HKEY_CLASSES_ROOT, ShellHandlerKey()).IsOpen(); }

// "/RegDLL Shell Extensions" or "/UnRegDLL Shell Extensions" for the installed product's package installer.
bool RegisterShellExtensions(bool register_them) {
    const TLProcessInfoBlock* block = TLProcessInfoBlock::Get();
    return block && tlwin::RegisterThroughPackageInstaller(*block, u"Shell Extensions"_tl, register_them);
}

// The shell extension follows the setting: registered when it is switched on, unregistered when off,
// and left alone when it already is as asked.
void ApplyShellIntegration(int value) {
    tools::LogFormat(kTraceName, u"SETTINGS_ENABLESHELLINTEGRATION (%i)", value);
    const bool registered = IsShellHandlerRegistered();
    tools::LogFormat(kTraceName, u"bShellIntegration == %i", registered);
    const bool wanted = value != 0;
    if (wanted == registered) return;
    const bool ran = RegisterShellExtensions(wanted);
    tools::LogFormat(kTraceName, u"RunPackageInstaller == %i", ran);
}

}  // namespace

CSettingsHelper::CSettingsHelper() : properties_(tools::OpenSettingsSection(u"Properties"_tl)) {}

CSettingsHelper::~CSettingsHelper() = default;

TLString CSettingsHelper::GetString(int id) {
    const TLString fallback = GetStringDefault(id);
    const DefaultSetting* setting = FindDefaultSetting(id);
    return setting ? properties_.GetString(TLString(setting->name), fallback) : fallback;
}

int CSettingsHelper::GetInt(int id) {
    const int fallback = GetIntDefault(id);
    const DefaultSetting* setting = FindDefaultSetting(id);
    return setting ? static_cast<int>(properties_.GetInteger(TLString(setting->name), fallback)) : fallback;
}

bool CSettingsHelper::SetInt(int id, int value) {
    TLScopedTrace trace(kTraceName);
    const DefaultSetting* setting = FindDefaultSetting(id);
    if (!setting) {
        tools::LogFormat(kTraceName, u"Unknown setting identifier (%d)", id);
        trace.SetResult(false);
        return false;
    }
    if (id == tlsettings::kShellIntegrationSetting) ApplyShellIntegration(value);
    const bool stored = properties_.SetInteger(TLString(setting->name), value);
    trace.SetResult(stored);
    return stored;
}

bool CSettingsHelper::SetString(int id, const TLString& text) {
    const DefaultSetting* setting = FindDefaultSetting(id);
    return setting && properties_.SetString(TLString(setting->name), text);
}

int CSettingsHelper::GetIntDefault(int id) {
    const DefaultSetting* setting = FindDefaultSetting(id);
    if (!setting) return 0;
    const int built_in =
        setting->machine == MachineDefault::kShellHandlerExists ? IsShellHandlerRegistered() : setting->int_default;
    return GetInstallInt(id, built_in);
}

TLString CSettingsHelper::GetStringDefault(int id) {
    const DefaultSetting* setting = FindDefaultSetting(id);
    if (!setting) return TLString();
    const TLString built_in = setting->machine == MachineDefault::kMusicFolder
                                  ? tlwin::KnownFolderPath(tlwin::KnownFolder::kMusic)
                                  : TLString(setting->text_default);
    return GetInstallString(id, built_in);
}

TLString CSettingsHelper::GetSettingName(int id) {
    const DefaultSetting* setting = FindDefaultSetting(id);
    return setting ? TLString(setting->name) : TLString();
}

TLString CSettingsHelper::GetInstallKey(int id) {
    const DefaultSetting* setting = FindDefaultSetting(id);
    return setting ? TLString(setting->install_key) : TLString();
}

TLString CSettingsHelper::GetInstallString(int id, const TLString& fallback) {
    const TLString key = GetInstallKey(id);
    return key.empty() ? fallback : tools::ProductString(kDefaultSettingsPath + key, fallback);
}

int CSettingsHelper::GetInstallInt(int id, int fallback) {
    const TLString key = GetInstallKey(id);
    return key.empty() ? fallback : static_cast<int>(tools::ProductInteger(kDefaultSettingsPath + key, fallback));
}
