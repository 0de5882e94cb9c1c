#include "product/uninstall/uninstall_confirmation.h"

#include "core/tools/tools.h"
#include "toolkit/controls/tl_check_box.h"
#include "toolkit/controls/tl_label.h"
#include "toolkit/tl_art.h"
#include "toolkit/wizard/tl_wizard_page_wnd.h"
#include "toolkit/wizard/tl_wizard_popup_wnd.h"

namespace uninstall {
namespace {

TLString Named(const char16_t* text, const TLString& product_name) {
    return TLString::Format(tools::Translate(text).view(), product_name);
}

class CUninstallPage final : public TLWizardPageWnd {
public:
    explicit CUninstallPage(const TLString& product_name) : product_name_(product_name) {}
    bool remove_user_data() const { return remove_user_data_; }

    TLString GetTitle() override { return Named(u"Uninstall %s", product_name_); }
    TLString GetSubtitle() override { return Named(u"Remove %s from your computer.", product_name_); }
    TLString GetNextText() override { return tools::Translate(u"Uninstall"); }
    bool OnLeaveNext() override {
        remove_user_data_ = user_data_.hwnd() && user_data_.IsChecked();
        return true;
    }

protected:
    void OnCreated() override {
        question_.Create(*this, kQuestionLabelId, {20, 24, 480, 60},
                         Named(u"Are you sure you want to remove %s and all of its components?", product_name_));
        user_data_.Create(*this, kRemoveUserDataCheckId, {20, 76, 480, 100},
                          tools::Translate(u"Also remove my library and settings"), false);
    }

private:
    TLString product_name_;
    TLLabel question_;
    TLCheckBox user_data_;
    bool remove_user_data_ = false;
};

class CUninstallWindow final : public TLWizardPopupWnd {
public:
    explicit CUninstallWindow(const TLString& product_name) : page_(product_name), product_name_(product_name) {
        AddPage(&page_);
    }
    ~CUninstallWindow() override {
        if (exists()) DestroyWindow(hwnd());
    }
    const CUninstallPage& page() const { return page_; }

protected:
    void OnCreated() override {
        const TLString caption = product_name_ + u" - " + tools::Translate(u"Uninstall");
        SetWindowTextW(hwnd(), caption.wc());
        const TLString icon = toolkit::FindArt(u"Application.ico");
        if (!icon.empty()) SetIconFile(icon);
    }

private:
    CUninstallPage page_;
    TLString product_name_;
};

}  // namespace

bool ConfirmUninstall(const TLString& product_name, bool* remove_user_data) {
    CUninstallWindow window(product_name);
    const int result = window.RunModal();
    *remove_user_data = window.page().remove_user_data();
    if (result == TLWizardPopupWnd::kNotCreated)
        tools::LogFormat(u"ConfirmUninstall", u"The window could not be made (error %d)",
                         static_cast<int>(window.creation_error()));
    return result == TLWizardPopupWnd::kFinished;
}

}  // namespace uninstall
