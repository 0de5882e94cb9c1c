#include "toolkit/controls/tl_list_ctrl.h"

#include <commctrl.h>

#include "toolkit/wizard/tl_wizard_page_wnd.h"

bool TLListCtrl::Create(TLWizardPageWnd& page, int id, const RECT& logical) {
    if (!CreateChild(page, WC_LISTVIEWW,
                     LVS_REPORT | LVS_NOCOLUMNHEADER | LVS_SINGLESEL | LVS_SHOWSELALWAYS | WS_TABSTOP, WS_EX_CLIENTEDGE,
                     TLString(), id, logical))
        return false;
    ListView_SetExtendedListViewStyle(hwnd(), LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
    LVCOLUMNW column{};
    column.mask = LVCF_WIDTH;
    column.cx = 100;
    ListView_InsertColumn(hwnd(), 0, &column);
    ListView_EnableGroupView(hwnd(), TRUE);
    Place(page.dpi());
    return true;
}

int TLListCtrl::AddGroup(const TLString& name) {
    LVGROUP group{};
    group.cbSize = sizeof group;
    group.mask = LVGF_HEADER | LVGF_GROUPID | LVGF_STATE;
    group.pszHeader = const_cast<wchar_t*>(name.wc());
    group.iGroupId = ++groups_;
    group.state = LVGS_NORMAL;
    ListView_InsertGroup(hwnd(), -1, &group);
    return groups_;
}

int TLListCtrl::AddItem(int group, const TLString& text, bool checked) {
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_GROUPID;
    item.iItem = ItemCount();
    item.pszText = const_cast<wchar_t*>(text.wc());
    item.iGroupId = group;
    const int index = ListView_InsertItem(hwnd(), &item);
    if (index >= 0) SetChecked(index, checked);
    return index;
}

int TLListCtrl::ItemCount() const { return ListView_GetItemCount(hwnd()); }

TLString TLListCtrl::ItemText(int index) const {
    wchar_t text[512] = {};
    ListView_GetItemText(hwnd(), index, 0, text, 512);
    return TLString(text);
}

bool TLListCtrl::IsChecked(int index) const { return ListView_GetCheckState(hwnd(), index) != 0; }

void TLListCtrl::SetChecked(int index, bool checked) { ListView_SetCheckState(hwnd(), index, checked); }

void TLListCtrl::Place(UINT dpi) {
    TLChildControl::Place(dpi);
    RECT client;
    GetClientRect(hwnd(), &client);
    ListView_SetColumnWidth(hwnd(), 0, client.right - GetSystemMetrics(SM_CXVSCROLL));
}
