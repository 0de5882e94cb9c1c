#pragma once
// CNeedInternetExplorerDlg: tells the user that the system's browser component is missing or too
// old, offering "Download" (kBrowserDownload) and "Quit Setup" (kBrowserQuitSetup).

#include <windows.h>

#include "core/string/tl_string.h"

class CNeedInternetExplorerDlg {
public:
    // `title` is the window's caption; every other text is translated when the dialog opens.
    explicit CNeedInternetExplorerDlg(TLString title) : title_(std::move(title)) {}

    // Shows the dialog until a button is pressed; closing it counts as "Quit Setup".
    int DoModal(HWND owner);

private:
    static INT_PTR CALLBACK Procedure(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);
    void Fill(HWND dialog) const;

    TLString title_;
};
