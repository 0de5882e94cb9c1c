#include "wizard/copy_and_install_ppg.h"

#include "core/tools/tools.h"
#include "wizard/install_wizard.h"

bool CCopyAndInstallPpg::WantsSkip() { return false; }

void CCopyAndInstallPpg::CreateControls() {
    tools::Log(u"CCopyAndInstallPpg", u"The installation steps are not built yet: nothing was installed");
    StartTimer(kDoneTimer, 1);
}

void CCopyAndInstallPpg::OnTimer(UINT_PTR id) {
    if (id != kDoneTimer) return;
    StopTimer(kDoneTimer);
    next_enabled_ = true;
    wizard().GoNext();
}
