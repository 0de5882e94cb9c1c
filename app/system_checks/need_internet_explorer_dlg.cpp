#include "app/system_checks/need_internet_explorer_dlg.h"

#include "app/system_checks/browser_check.h"
#include "app/system_checks/need_internet_explorer_dlg_ids.h"
#include "core/tools/tools.h"
#include "toolkit/controls/tl_label.h"
#include "toolkit/wizard/tl_wizard_page_wnd.h"
#include "toolkit/wizard/tl_wizard_popup_wnd.h"

namespace {

constexpr char16_t kNotice[] =
    u"Install Wizard did not detect a new enough version of Microsoft Internet Explorer.  Setup cannot continue.";
constexpr char16_t kAdvice[] =
    u"Click on 'Download' to download and install the latest version of Internet Explorer.  Please re-run setup "
    u"after installing Internet Explorer.";

// The picture of the installer's resources (bitmap 253).
class CResourcePicture final : public TLChildControl {
public:
    bool Create(TLWizardPageWnd& page, int id, const RECT& logical) {
        if (!CreateChild(page, L"STATIC", SS_BITMAP | SS_CENTERIMAGE, 0, TLString(), id, logical)) return false;
        bitmap_ =
            static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDB_NEED_INTERNET_EXPLORER),
                                            IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
        SendMessageW(hwnd(), STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap_));
        return true;
    }
    ~CResourcePicture() override {
        if (bitmap_) DeleteObject(bitmap_);
    }

private:
    HBITMAP bitmap_ = nullptr;
};

// Next says "Download", Cancel "Quit Setup"; there is nothing to go back to.
class CNeedInternetExplorerPage final : public TLWizardPageWnd {
public:
    explicit CNeedInternetExplorerPage(const TLString& title) : title_(title) {}

    TLString GetCaption() override { return title_; }
    TLString GetTitle() override { return title_; }
    TLString GetNextText() override { return tools::Translate(u"Download"); }
    TLString GetCancelText() override { return tools::Translate(u"Quit Setup"); }

protected:
    void OnCreated() override {
        picture_.Create(*this, IDC_NEED_IE_IMAGE, {0, 0, 48, 48});
        notice_.Create(*this, IDC_NEED_IE_NOTICE, {64, 0, 500, 56}, tools::Translate(kNotice));
        advice_.Create(*this, IDC_NEED_IE_ADVICE, {64, 64, 500, 136}, tools::Translate(kAdvice));
    }

private:
    TLString title_;
    CResourcePicture picture_;
    TLLabel notice_, advice_;
};

}  // namespace

int CNeedInternetExplorerDlg::DoModal(HWND owner) {
    TLWizardPopupWnd popup;
    CNeedInternetExplorerPage page(title_);
    popup.AddPage(&page);
    return popup.RunModal(owner) == TLWizardPopupWnd::kFinished ? syschecks::kBrowserDownload
                                                                : syschecks::kBrowserQuitSetup;
}
