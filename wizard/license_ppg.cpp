#include "wizard/license_ppg.h"

#include "core/tools/tools.h"
#include "core/windows/module_path.h"
#include "wizard/control_ids.h"
#include "wizard/install_wizard.h"
#include "wizard/machine_seams.h"
#include "wizard/welcome_facts.h"

namespace {

constexpr std::u16string_view kName = u"CLicensePpg";

}  // namespace

void CLicensePpg::CreateControls() {
    label_.Create(*this, wizard_ids::kLicenseLabel, {0, 0, 500, 20}, tools::Translate(wizard_rules::kLicenseLabel));
    agreement_.Create(*this, wizard_ids::kLicenseText, {0, 24, 500, 300},
                      welcome::ReadLicenseText(tlwin::ModuleFolder()));
    StartTimer(kAfterShownTimer, 10);
}

void CLicensePpg::OnTimer(UINT_PTR id) {
    switch (id) {
        case kAfterShownTimer: {
            StopTimer(kAfterShownTimer);
            welcome::DetectExistingInstallations(session());
            tools::LogFormat(kName, u"Existing installation: %d, 32-bit installation: %d, uninstall entry: %s",
                             session().ExistingInstallationFound, session().Is32BitInstallationFound,
                             session().UninstallKeyName);
            const int64_t run_auto_install =
                tools::OpenSettingsSection(u"Installer"_tl).GetInteger(wizard_rules::kRunAutoInstallValue, 0);
            switch (wizard_rules::ChooseWelcomeStart(session(), run_auto_install)) {
                case wizard_rules::WelcomeStart::kAcceptAtOnce:
                    wizard().GoNext();
                    break;
                case wizard_rules::WelcomeStart::kCountDown:
                    StartCountdown();
                    break;
                case wizard_rules::WelcomeStart::kWaitForUser:
                    break;
            }
            break;
        }
        case kCountdownTickTimer: {
            const TLString caption = wizard_rules::CountdownCaption(tools::ProductItem(1), countdown_.Tick());
            tools::LogFormat(kName, u"Countdown caption: %s", caption);
            SetCaption(caption);
            break;
        }
        case kCountdownEndTimer:
            StopCountdown();
            tools::Log(kName, u"The automatic install's countdown ran out: express install"_tl);
            session().ExpressMode = true;
            session().AutoInstall = true;
            wizard().GoNext();
            break;
    }
}

bool CLicensePpg::OnLeaveNext() {
    StopCountdown();
    return ApplyPage();
}

void CLicensePpg::StartCountdown() {
    const unsigned tick = seams::CountdownTickMs();
    tools::LogFormat(kName, u"Automatic install in %d seconds", wizard_rules::kAutoInstallSeconds);
    plain_caption_ = GetCaption();
    counting_down_ = true;
    StartTimer(kCountdownEndTimer, tick * wizard_rules::kAutoInstallSeconds);
    StartTimer(kCountdownTickTimer, tick);
}

// The caption says nothing more of a countdown that no longer runs.
void CLicensePpg::StopCountdown() {
    if (!counting_down_) return;
    counting_down_ = false;
    StopTimer(kCountdownEndTimer);
    StopTimer(kCountdownTickTimer);
    tools::Log(kName, u"The automatic install's countdown stopped"_tl);
    SetCaption(plain_caption_);
}
