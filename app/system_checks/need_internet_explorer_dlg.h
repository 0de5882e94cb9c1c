#pragma once
// CNeedInternetExplorerDlg: tells the user that the system's browser component is missing or too
// old, offering "Download" (kBrowserDownload) and "Quit Setup" (kBrowserQuitSetup). It is the
// toolkit's skinned popup with one page, so that it looks like the wizard that would have followed.

#include <windows.h>

#include "core/string/tl_string.h"

class CNeedInternetExplorerDlg {
public:
    // `title` is the window's caption and heading; every other text is translated when it opens.
    explicit CNeedInternetExplorerDlg(TLString title) : title_(std::move(title)) {}

    // Shows the popup until a button is pressed; closing it counts as "Quit Setup".
    int DoModal(HWND owner);

private:
    TLString title_;
};
