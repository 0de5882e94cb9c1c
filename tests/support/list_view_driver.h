#pragma once
// Reading and ticking the rows of a list view that belongs to another process. A list view's item
// messages take pointers, which mean nothing across processes: the row data travels through memory
// allocated in the list's own process.

#include <windows.h>

#include <vector>

#include "core/string/tl_string.h"

namespace tltest {

struct ListViewRow {
    TLString text;
    bool has_check_box = false;
    bool checked = false;
};

// Every row of the list, in order; empty when the list cannot be read.
std::vector<ListViewRow> ReadListView(HWND list);
// Ticks or unticks a row's check box, as a click on it would.
bool SetListViewRowChecked(HWND list, int row, bool checked);

}  // namespace tltest
