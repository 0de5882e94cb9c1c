#include "app/system_checks/need_internet_explorer_dlg.h"

#include "app/system_checks/browser_check.h"
#include "app/system_checks/need_internet_explorer_dlg_ids.h"
#include "core/tools/tools.h"

namespace {

struct ControlText {
    int id;
    const char16_t* text;
};

constexpr ControlText kTexts[] = {
    {IDC_NEED_IE_NOTICE,
     u"Install Wizard did not detect a new enough version of Microsoft Internet Explorer.  Setup cannot continue."},
    {IDC_NEED_IE_ADVICE,
     u"Click on 'Download' to download and install the latest version of Internet Explorer.  Please re-run setup "
     u"after installing Internet Explorer."},
    {IDC_NEED_IE_DOWNLOAD, u"Download"},
    {IDC_NEED_IE_QUIT_SETUP, u"Quit Setup"},
};

}  // namespace

int CNeedInternetExplorerDlg::DoModal(HWND owner) {
    const INT_PTR result = DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_NEED_INTERNET_EXPLORER),
                                           owner, Procedure, reinterpret_cast<LPARAM>(this));
    return result == syschecks::kBrowserDownload ? syschecks::kBrowserDownload : syschecks::kBrowserQuitSetup;
}

void CNeedInternetExplorerDlg::Fill(HWND dialog) const {
    SetWindowTextW(dialog, title_.wc());
    for (const ControlText& control : kTexts) SetDlgItemTextW(dialog, control.id, tools::Translate(control.text).wc());
}

INT_PTR CALLBACK CNeedInternetExplorerDlg::Procedure(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_INITDIALOG:
            reinterpret_cast<const CNeedInternetExplorerDlg*>(lparam)->Fill(dialog);
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wparam) == IDC_NEED_IE_DOWNLOAD || LOWORD(wparam) == IDC_NEED_IE_QUIT_SETUP) {
                EndDialog(dialog, LOWORD(wparam));
                return TRUE;
            }
            return FALSE;
        default:
            return FALSE;
    }
}
