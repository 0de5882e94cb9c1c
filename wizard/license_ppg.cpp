#include "wizard/license_ppg.h"

#include "core/tools/tools.h"
#include "wizard/install_wizard.h"

bool CLicensePpg::WantsSkip() { return false; }

void CLicensePpg::CreateControls() {
    tools::Log(u"CLicensePpg",
               u"The agreement, the search for existing installations and the automatic install are not built yet");
    StartTimer(kAfterShownTimer, 10);
}

// Silent and upgrade runs accept the agreement without anybody there to read it.
void CLicensePpg::OnTimer(UINT_PTR id) {
    if (id != kAfterShownTimer) return;
    StopTimer(kAfterShownTimer);
    if (session().Silent || session().Upgrade) wizard().GoNext();
}
