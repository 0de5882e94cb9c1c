#include "wizard/copy_and_install_ppg.h"

#include "core/system/os_info.h"
#include "core/tools/product_settings.h"
#include "core/tools/tools.h"
#include "core/windows/file_attributes.h"
#include "core/windows/module_path.h"
#include "core/windows/run_program.h"
#include "engine/dependencies/dependency_phase.h"
#include "engine/pending/pending_operations.h"
#include "engine/plugins/plugin_phase.h"
#include "engine/record/installation_record.h"
#include "shell/settings/default_settings_table.h"
#include "shell/settings/settings_helper.h"
#include "wizard/control_ids.h"
#include "wizard/install_wizard.h"

namespace {

TLString CurrentLanguage() {
    tltools::ToolsInterface* tools = tools::Interface();
    tltools::ITranslator* translator = tools ? tools->GetTranslator(1) : nullptr;
    return translator ? translator->CurrentLanguage() : TLString(u"English");
}

TLString SystemFolder() {
    wchar_t folder[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    return length && length < MAX_PATH ? TLString(folder).EnsureTrailingBackslash() : TLString();
}

}  // namespace

CCopyAndInstallPpg::CCopyAndInstallPpg(CInstallWizard& wizard)
    : CWizardPropertyPage(wizard, wizard_rules::Page::kCopyAndInstall),
      source_folder_(context().source_folder),
      helper_(session(), source_folder_, context().pending),
      sequence_(*this, copypage::MakePromoTiming(
                           ReadProductSetting(ProductSetting::kPromoMinimumMilliseconds, context().product_info).number,
                           ReadProductSetting(ProductSetting::kPromoCount, context().product_info).number)) {}

void CCopyAndInstallPpg::CreateControls() {
    status_.Create(*this, wizard_ids::kInstallStatus, {20, 24, 480, 44},
                   status_text_.empty() ? tools::Translate(u"Preparing...") : status_text_);
    progress_.Create(*this, wizard_ids::kInstallProgress, {20, 48, 480, 64});
    progress_.SetRange(0, range_);
    progress_.SetPosition(position_);
    image_.Create(*this, wizard_ids::kPromoImage, {20, 76, 480, 296});
    // The wizard makes the page's window once; coming back to it shows where it ended.
    if (started_) return;
    started_ = true;
    sequence_.Start();
}

void CCopyAndInstallPpg::OnTimer(UINT_PTR id) { sequence_.OnTimer(static_cast<int>(id)); }

void CCopyAndInstallPpg::SetHeading(const TLString& title, const TLString& subtitle) { SetHeader(title, subtitle); }

void CCopyAndInstallPpg::SetRange(int maximum) {
    range_ = maximum;
    position_ = 0;
    progress_.SetRange(0, maximum);
    progress_.SetPosition(0);
}

void CCopyAndInstallPpg::SetPosition(int position) {
    position_ = position;
    progress_.SetPosition(position);
    DispatchMessages();
}

void CCopyAndInstallPpg::SetText(const TLString& text) {
    status_text_ = text;
    status_.SetText(text);
    DispatchMessages();
}

void CCopyAndInstallPpg::DispatchMessages() { tlwin::DispatchPendingMessages(); }

void CCopyAndInstallPpg::SetCancelEnabled(bool enabled) {
    cancel_enabled_ = enabled;
    wizard().UpdateButtons();
}

void CCopyAndInstallPpg::ScheduleTimer(int id, int period_ms) {
    StartTimer(static_cast<UINT_PTR>(id), static_cast<UINT>(period_ms));
}

void CCopyAndInstallPpg::EndTimer(int id) { StopTimer(static_cast<UINT_PTR>(id)); }

void CCopyAndInstallPpg::ShowPromoImage(int n) {
    for (const TLString& candidate : copypage::PromoCandidates(source_folder_, n, CurrentLanguage())) {
        if (!tlwin::FileExists(candidate)) continue;
        if (image_.LoadFile(candidate))
            tools::LogFormat(u"CCopyAndInstallPpg::ShowPromoImage", u"Picture %d: %s", n, candidate);
        return;
    }
}

bool CCopyAndInstallPpg::RunStep(int step) {
    SetCancelEnabled(false);
    switch (step) {
        case copypage::kDependencies:
            if (InstallDependencies()) return true;
            context().outcome.Fail(u"the dependencies could not be installed");
            wizard().CloseWithResult(TLWizardPopupWnd::kCancelled);
            return false;
        case copypage::kProgramFiles:
            if (helper_.CopyAndRegister(*this, context().prompts)) return true;
            context().outcome.Fail(u"the program files could not be installed; what was done is undone");
            wizard().CloseWithResult(TLWizardPopupWnd::kCancelled);
            return false;
        default:
            InstallPlugins();
            return true;
    }
}

bool CCopyAndInstallPpg::InstallDependencies() {
    const InstallSession& install = session();
    engine::DependencyContext dependencies{*this, context().pending};
    dependencies.support_folders = install.SupportFolders;
    dependencies.download_base = tools::ProductItem(15);
    dependencies.expected_sha256 = [](const TLString& file_name) {
        return tools::ProductString(u"/*/DownloadChecksums/" + file_name, TLString());
    };
    dependencies.destination = install.DestinationFolder();
    dependencies.bundled_media_folder = install.BundledMediaFolder;
    dependencies.system_folder = SystemFolder();
    dependencies.os_code = syschecks::GetOsInfo().code;
    dependencies.prompts = &context().prompts;
    engine::DependencyChoices choices;
    choices.no_dependencies = install.NoDependencies;
    choices.portable = install.PortableMode;
    choices.directx_wanted = tools::ProductFeature(182);
    return engine::RunDependencyPhase(dependencies, choices);
}

void CCopyAndInstallPpg::InstallPlugins() {
    const InstallSession& install = session();
    engine::PluginPhaseContext plugins{*this, context().prompts, context().pending};
    plugins.source_folder = source_folder_;
    plugins.destination = install.DestinationFolder();
    plugins.support_folders = install.SupportFolders;
    plugins.silent = install.Silent;
    plugins.driver.no_driver = install.NoDriver;
    plugins.driver.portable = install.PortableMode;
    plugins.driver.driver_feature = tools::ProductFeature(engine::kDriverFeature);
    plugins.driver.os_code = syschecks::GetOsInfo().code;
    plugins.media_server_edition = tools::MainProgramFileName().FindNoCase(u"Gantry") != TLString::npos;
    plugins.shell_integration_enabled = CSettingsHelper().GetInt(tlsettings::kShellIntegrationSetting) != 0;
    engine::RunPluginPhase(plugins);
}

bool CCopyAndInstallPpg::InstalledProgramCurrent() {
    return installation::InstalledVersionNotOlder(session(), source_folder_);
}

void CCopyAndInstallPpg::SetStatus(const TLString& text) {
    tools::LogFormat(u"CCopyAndInstallPpg", u"%s (picture %d, bar range %d)", text, sequence_.current_image(), range_);
    SetText(tools::Translate(text));
}

void CCopyAndInstallPpg::Finish() {
    SetPosition(range_);
    next_enabled_ = true;
    tools::Log(u"CCopyAndInstallPpg", u"The installation steps are done");
    wizard().GoNext();
}
