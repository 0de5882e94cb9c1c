// The toolkit's windows under Wine: a wizard of one page carrying every control, its layout scaled
// by the DPI, the controls' state as the page reads it, and pictures decoded by the product's image
// library.
#include <gtest/gtest.h>

#include <windows.h>
// after windows.h
#include <commctrl.h>

#include <functional>

#include "core/tools/module_loader.h"
#include "tests/support/win_test_support.h"
#include "toolkit/controls/tl_check_box.h"
#include "toolkit/controls/tl_folder_field.h"
#include "toolkit/controls/tl_image_static.h"
#include "toolkit/controls/tl_label.h"
#include "toolkit/controls/tl_list_ctrl.h"
#include "toolkit/controls/tl_progress_bar.h"
#include "toolkit/controls/tl_radio_group.h"
#include "toolkit/controls/tl_text_view.h"
#include "toolkit/image/tl_image_loader.h"
#include "toolkit/tl_metrics.h"
#include "toolkit/wizard/tl_wizard_ids.h"
#include "toolkit/wizard/tl_wizard_page_wnd.h"
#include "toolkit/wizard/tl_wizard_popup_wnd.h"

namespace {

// The image library of the sample distribution, as the installer loads it from its program folder.
void LoadImageLibrary() {
    ASSERT_TRUE(
        tltools::TLModuleLoader::Get().LoadFrom(tltools::kImageSlot, tltest::BuildPath(u"distribution\\Tunevault\\")));
}

TLString Picture(std::u16string_view name) { return tltest::SourcePath(u"tests\\toolkit\\pictures\\") + name; }

TEST(ImageLibrary, DecodesPngAndJpegAndNothingElse) {
    LoadImageLibrary();
    for (const char16_t* name : {u"dot.png", u"dot.jpg"}) {
        int width = 0;
        int height = 0;
        HBITMAP bitmap = toolkit::DecodeImageFile(Picture(name), &width, &height);
        ASSERT_NE(bitmap, nullptr) << TLString(name);
        EXPECT_EQ(width, 6);
        EXPECT_EQ(height, 4);
        BITMAP info{};
        GetObjectW(bitmap, sizeof info, &info);
        EXPECT_EQ(info.bmBitsPixel, 32);
        DeleteObject(bitmap);
    }
    int width = 0;
    int height = 0;
    EXPECT_EQ(toolkit::DecodeImageFile(Picture(u"dot.bmp"), &width, &height), nullptr);
    EXPECT_EQ(toolkit::DecodeImageFile(Picture(u"missing.png"), &width, &height), nullptr);
}

// One page with every control; once on screen it records what the controls say and closes the wizard.
class GalleryPage : public TLWizardPageWnd {
public:
    TLString GetTitle() override { return u"Gallery"; }
    TLString GetSubtitle() override { return u"Every control of the toolkit."; }

    TLLabel label;
    TLTextView text;
    TLCheckBox check;
    TLRadioGroup radios;
    TLFolderField folder;
    TLProgressBar progress;
    TLImageStatic image;
    TLListCtrl list;
    std::function<void(GalleryPage&)> inspect;

protected:
    void OnCreated() override {
        label.Create(*this, 100, RECT{0, 0, 200, 20}, u"Install to:");
        text.Create(*this, 101, RECT{0, 24, 240, 80}, u"Line one\r\nLine two");
        check.Create(*this, 102, RECT{0, 84, 240, 104}, u"Tick me", true);
        radios.Create(*this, 110, RECT{0, 108, 240, 220}, {{u"Express", u"Most common."}, {u"Custom", u"Choose."}});
        folder.Create(*this, 103, 104, RECT{250, 0, 500, 24}, u"C:\\Program Files\\Tonehall 27\\");
        progress.Create(*this, 105, RECT{250, 30, 500, 46});
        image.Create(*this, 106, RECT{250, 50, 330, 110});
        list.Create(*this, 107, RECT{250, 120, 500, 300});
        StartTimer(1, 1);
    }
    void OnTimer(UINT_PTR id) override {
        StopTimer(id);
        inspect(*this);
        static_cast<TLWizardPopupWnd*>(list_of_pages())->CloseWithResult(7);
    }

private:
    TLWizardPageList* list_of_pages() { return TLWizardPage::list(); }
};

class GalleryWizard : public TLWizardPopupWnd {
public:
    GalleryWizard() { AddPage(&page); }
    ~GalleryWizard() override {
        if (exists()) DestroyWindow(hwnd());
    }
    GalleryPage page;
};

RECT ClientRectInParent(HWND window) {
    RECT rect;
    GetWindowRect(window, &rect);
    MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

TEST(ToolkitWindows, OnePageWizardShowsEveryControlScaledAndReadsTheirState) {
    LoadImageLibrary();
    GalleryWizard wizard;
    bool inspected = false;
    wizard.page.inspect = [&](GalleryPage& page) {
        inspected = true;
        const UINT dpi = page.dpi();
        // The page area is 500 x 300 logical pixels, the controls placed in the same units.
        RECT area;
        GetClientRect(page.hwnd(), &area);
        EXPECT_EQ(area.right, toolkit::Scale(500, dpi));
        EXPECT_EQ(area.bottom, toolkit::Scale(300, dpi));
        const RECT label = ClientRectInParent(page.label.hwnd());
        EXPECT_EQ(label.right - label.left, toolkit::Scale(200, dpi));

        // A single page: no Back, and Next says Finish.
        HWND wizard_window = GetParent(page.hwnd());
        HWND bar = GetDlgItem(wizard_window, toolkit::kButtonBarId);
        EXPECT_FALSE(IsWindowVisible(GetDlgItem(bar, toolkit::kBackButtonId)));
        wchar_t text[64] = {};
        GetWindowTextW(GetDlgItem(bar, toolkit::kNextButtonId), text, 64);
        EXPECT_STREQ(text, L"Finish");
        GetWindowTextW(GetDlgItem(wizard_window, toolkit::kHeaderId), text, 64);
        EXPECT_STREQ(text, L"<b>Gallery</b>\r\n\tEvery control of the toolkit.");

        EXPECT_EQ(page.text.Text(), TLString(u"Line one\r\nLine two"));
        EXPECT_TRUE(page.check.IsChecked());
        page.check.SetChecked(false);
        EXPECT_FALSE(page.check.IsChecked());
        EXPECT_EQ(page.radios.Selected(), 0);
        page.radios.Select(1);
        EXPECT_EQ(page.radios.Selected(), 1);
        EXPECT_EQ(page.folder.Folder(), TLString(u"C:\\Program Files\\Tonehall 27\\"));
        page.folder.SetFolder(u"D:\\Music\\");
        EXPECT_EQ(page.folder.Folder(), TLString(u"D:\\Music\\"));
        page.progress.SetRange(0, 28);
        page.progress.SetPosition(5);
        EXPECT_EQ(page.progress.Position(), 5);

        EXPECT_FALSE(page.image.HasPicture());
        EXPECT_TRUE(page.image.LoadFile(Picture(u"dot.png")));
        // A picture that cannot be decoded leaves the one shown.
        EXPECT_FALSE(page.image.LoadFile(Picture(u"dot.bmp")));
        EXPECT_TRUE(page.image.HasPicture());

        // Group rows are the list's own: the items are counted and read without them.
        page.list.AddGroup(u"Audio");
        EXPECT_EQ(page.list.AddItem(u"mp3", true), 0);
        EXPECT_EQ(page.list.AddItem(u"flac", false), 1);
        page.list.AddGroup(u"Video");
        EXPECT_EQ(page.list.AddItem(u"mkv", true), 2);
        ASSERT_EQ(page.list.ItemCount(), 3);
        EXPECT_EQ(page.list.ItemText(2), TLString(u"mkv"));
        EXPECT_TRUE(page.list.IsChecked(0));
        EXPECT_FALSE(page.list.IsChecked(1));
        page.list.SetChecked(1, true);
        EXPECT_TRUE(page.list.IsChecked(1));
        EXPECT_EQ(ListView_GetItemCount(page.list.hwnd()), 5);
        // A group row has no check box, and cannot be given one.
        ListView_SetCheckState(page.list.hwnd(), 3, TRUE);
        EXPECT_EQ(ListView_GetItemState(page.list.hwnd(), 3, LVIS_STATEIMAGEMASK), 0u);
    };
    // A close request's code is the run's result.
    EXPECT_EQ(wizard.RunModal(), 7);
    EXPECT_TRUE(inspected);
    EXPECT_FALSE(wizard.exists());
}

// A window that cannot be made ends the run at once with a result of its own and Windows' reason, not
// an error left behind by an earlier call: the caller has to tell the person why nothing appears.
TEST(WizardWindow, AWindowThatCannotBeMadeSaysWhy) {
    HWND gone = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(gone);
    DestroyWindow(gone);
    TLWizardPopupWnd wizard;
    EXPECT_EQ(wizard.RunModal(gone), TLWizardPopupWnd::kNotCreated);
    EXPECT_EQ(wizard.creation_error(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
    EXPECT_FALSE(wizard.exists());
}

}  // namespace
