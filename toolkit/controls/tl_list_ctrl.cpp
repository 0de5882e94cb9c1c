#include "toolkit/controls/tl_list_ctrl.h"

#include <commctrl.h>

#include <algorithm>

#include "toolkit/wizard/tl_wizard_page_wnd.h"

namespace {

constexpr UINT kNoCheckBox = INDEXTOSTATEIMAGEMASK(0);

}  // namespace

bool TLListCtrl::Create(TLWizardPageWnd& page, int id, const RECT& logical) {
    toolkit::UseCommonControls(ICC_LISTVIEW_CLASSES);
    if (!CreateChild(page, WC_LISTVIEWW,
                     LVS_REPORT | LVS_NOCOLUMNHEADER | LVS_SINGLESEL | LVS_SHOWSELALWAYS | WS_TABSTOP | WS_VSCROLL,
                     WS_EX_CLIENTEDGE, TLString(), id, logical))
        return false;
    ListView_SetExtendedListViewStyle(hwnd(), LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
    LVCOLUMNW column{};
    column.mask = LVCF_WIDTH;
    column.cx = 100;
    ListView_InsertColumn(hwnd(), 0, &column);
    Place(page.dpi());
    return true;
}

void TLListCtrl::AddGroup(const TLString& name) {
    LVITEMW row{};
    row.mask = LVIF_TEXT | LVIF_STATE;
    row.iItem = ListView_GetItemCount(hwnd());
    row.pszText = const_cast<wchar_t*>(name.wc());
    row.state = kNoCheckBox;
    row.stateMask = LVIS_STATEIMAGEMASK;
    const int inserted = ListView_InsertItem(hwnd(), &row);
    // Some list views give every new row a check box, whatever it was inserted with.
    ListView_SetItemState(hwnd(), inserted, kNoCheckBox, LVIS_STATEIMAGEMASK);
    group_rows_.push_back(inserted);
}

int TLListCtrl::AddItem(const TLString& text, bool checked) {
    LVITEMW row{};
    row.mask = LVIF_TEXT | LVIF_INDENT;
    row.iItem = ListView_GetItemCount(hwnd());
    row.iIndent = group_rows_.empty() ? 0 : 1;
    row.pszText = const_cast<wchar_t*>(text.wc());
    const int inserted = ListView_InsertItem(hwnd(), &row);
    if (inserted < 0) return -1;
    item_rows_.push_back(inserted);
    SetChecked(ItemCount() - 1, checked);
    return ItemCount() - 1;
}

TLString TLListCtrl::ItemText(int index) const {
    wchar_t text[512] = {};
    ListView_GetItemText(hwnd(), item_rows_[index], 0, text, 512);
    return TLString(text);
}

bool TLListCtrl::IsChecked(int index) const { return ListView_GetCheckState(hwnd(), item_rows_[index]) == 1; }

void TLListCtrl::SetChecked(int index, bool checked) { ListView_SetCheckState(hwnd(), item_rows_[index], checked); }

bool TLListCtrl::IsGroupRow(int row) const {
    return std::find(group_rows_.begin(), group_rows_.end(), row) != group_rows_.end();
}

void TLListCtrl::Place(UINT dpi) {
    TLChildControl::Place(dpi);
    RECT client;
    GetClientRect(hwnd(), &client);
    ListView_SetColumnWidth(hwnd(), 0, client.right);
}

bool TLListCtrl::OnNotify(const NMHDR& header, LRESULT* result) {
    if (header.hwndFrom != hwnd()) return false;
    if (header.code == LVN_ITEMCHANGING) {
        // A group row never gets a check box, whatever key or click would give it one.
        const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
        *result =
            (change.uChanged & LVIF_STATE) && (change.uNewState & LVIS_STATEIMAGEMASK) && IsGroupRow(change.iItem);
        return true;
    }
    if (header.code != NM_CUSTOMDRAW) return false;
    const auto& draw = reinterpret_cast<const NMLVCUSTOMDRAW&>(header);
    if (draw.nmcd.dwDrawStage == CDDS_PREPAINT) {
        *result = CDRF_NOTIFYITEMDRAW;
        return true;
    }
    if (draw.nmcd.dwDrawStage == CDDS_ITEMPREPAINT && IsGroupRow(static_cast<int>(draw.nmcd.dwItemSpec))) {
        SelectObject(draw.nmcd.hdc, toolkit::FontsFor(toolkit::WindowDpi(hwnd())).bold);
        *result = CDRF_NEWFONT;
        return true;
    }
    *result = CDRF_DODEFAULT;
    return true;
}
