// close_wizard.exe: closes the wizard of the Setup.exe that runs (with "cancelled", as a close request
// does, no question asked) once its first page is shown. Exits 0 when it closed one, 1 when no wizard
// is there. The stress run of scripts/stress-startup starts Setup.exe from the Linux side, so that no
// program of its own holds Wine's desktop open between two starts, and closes each wizard with it.
#include <windows.h>

#include "tests/support/window_driver.h"
#include "toolkit/wizard/tl_wizard_ids.h"
#include "toolkit/wizard/tl_wizard_popup_wnd.h"

int wmain() {
    HWND wizard = tltest::FindVisibleWindow(0, u"TLWizardPopupWnd");
    if (!wizard) return 1;
    HWND page = GetDlgItem(wizard, toolkit::kFirstPageId);
    if (!page || !IsWindowVisible(page)) return 1;
    return PostMessageW(wizard, TLWizardPopupWnd::kCloseMessage, TLWizardPopupWnd::kCancelled, 0) ? 0 : 1;
}
