#include "toolkit/controls/tl_folder_field.h"

#include <shlobj.h>
#include <shobjidl.h>
#include <wrl/client.h>

#include <optional>

#include "core/tools/tools.h"
#include "toolkit/wizard/tl_wizard_page_wnd.h"

namespace {

constexpr int kButtonWidth = 96;
constexpr int kGap = 8;

// The shell's own chooser from Vista on: IFileDialog picking folders. Nothing when Windows has no such
// dialog; an empty text when the person cancelled it.
std::optional<TLString> PickWithFileDialog(HWND owner, const TLString& start) {
    Microsoft::WRL::ComPtr<IFileOpenDialog> dialog;
    if (FAILED(
            CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(dialog.GetAddressOf()))))
        return std::nullopt;
    DWORD options = 0;
    dialog->GetOptions(&options);
    dialog->SetOptions(options | FOS_PICKFOLDERS | FOS_FORCEFILESYSTEM | FOS_NOVALIDATE);
    Microsoft::WRL::ComPtr<IShellItem> folder;
    TLString existing = start;
    // The folder to install to often does not exist yet: start at the nearest one that does.
    while (!existing.empty()) {
        existing.RemoveTrailingBackslashes();
        if (SUCCEEDED(SHCreateItemFromParsingName(existing.wc(), nullptr, IID_PPV_ARGS(folder.GetAddressOf())))) {
            dialog->SetFolder(folder.Get());
            break;
        }
        const size_t slash = existing.ReverseFind(u'\\');
        if (slash == TLString::npos) break;
        existing.Truncate(slash);
    }
    if (dialog->Show(owner) != S_OK) return TLString();
    Microsoft::WRL::ComPtr<IShellItem> chosen;
    if (FAILED(dialog->GetResult(chosen.GetAddressOf()))) return TLString();
    PWSTR path = nullptr;
    if (FAILED(chosen->GetDisplayName(SIGDN_FILESYSPATH, &path))) return TLString();
    TLString result(path);
    CoTaskMemFree(path);
    return result;
}

}  // namespace

TLFolderField::~TLFolderField() {
    if (IsWindow(field_)) DestroyWindow(field_);
    if (IsWindow(button_)) DestroyWindow(button_);
}

bool TLFolderField::Create(TLWizardPageWnd& page, int id, int button_id, const RECT& logical, const TLString& folder) {
    logical_ = logical;
    button_id_ = button_id;
    HINSTANCE instance = GetModuleHandleW(nullptr);
    field_ =
        CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", folder.wc(), WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, 0,
                        0, 0, 0, page.hwnd(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    button_ = CreateWindowExW(0, L"BUTTON", tools::Translate(u"Change...").wc(),
                              WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, 0, 0, 0, page.hwnd(),
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(button_id)), instance, nullptr);
    if (!field_ || !button_) return false;
    page.AddControl(this);
    Place(page.dpi());
    return true;
}

TLString TLFolderField::Folder() const { return toolkit::WindowText(field_); }

void TLFolderField::SetFolder(const TLString& folder) { SetWindowTextW(field_, folder.wc()); }

void TLFolderField::Place(UINT dpi) {
    using toolkit::Scale;
    const HFONT font = toolkit::FontsFor(dpi).normal;
    const RECT rect = toolkit::ScaleRect(logical_, dpi);
    const int button_width = Scale(kButtonWidth, dpi);
    const int height = rect.bottom - rect.top;
    SendMessageW(field_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    SendMessageW(button_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    SetWindowPos(field_, nullptr, rect.left, rect.top, rect.right - rect.left - button_width - Scale(kGap, dpi), height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(button_, nullptr, rect.right - button_width, rect.top, button_width, height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

bool TLFolderField::OnCommand(int id, int code) {
    if (id != button_id_ || code != BN_CLICKED) return false;
    const TLString chosen = ChooseFolder();
    if (!chosen.empty()) SetFolder(chosen);
    return true;
}

TLString TLFolderField::ChooseFolder() const {
    HWND owner = GetAncestor(field_, GA_ROOT);
    if (const std::optional<TLString> picked = PickWithFileDialog(owner, Folder())) return *picked;
    // Windows without IFileDialog: the older folder browser.
    BROWSEINFOW browse{};
    browse.hwndOwner = owner;
    const TLString title = tools::Translate(u"Choose the folder to install to:");
    browse.lpszTitle = title.wc();
    browse.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
    PIDLIST_ABSOLUTE list = SHBrowseForFolderW(&browse);
    if (!list) return TLString();
    wchar_t path[MAX_PATH] = {};
    const bool ok = SHGetPathFromIDListW(list, path);
    CoTaskMemFree(list);
    return ok ? TLString(path) : TLString();
}
