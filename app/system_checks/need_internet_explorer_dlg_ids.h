#pragma once
// Resource and control ids of the browser component dialog, shared by its resource script, its
// code and the tests that press its buttons. The buttons' ids are the dialog's results.

#define IDB_NEED_INTERNET_EXPLORER 253
#define IDD_NEED_INTERNET_EXPLORER 254
#define IDC_NEED_IE_IMAGE 1001
#define IDC_NEED_IE_NOTICE 1002
#define IDC_NEED_IE_ADVICE 1003
#define IDC_NEED_IE_DOWNLOAD 1   /* IDOK: "Download" */
#define IDC_NEED_IE_QUIT_SETUP 2 /* IDCANCEL: "Quit Setup" */
