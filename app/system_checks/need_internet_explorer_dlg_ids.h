#pragma once
// Resource and control ids of the browser component popup, shared by its resource script, its code
// and the tests that read it. Its buttons are the wizard's Next ("Download") and Cancel ("Quit Setup").

#define IDB_NEED_INTERNET_EXPLORER 253
#define IDC_NEED_IE_IMAGE 1001
#define IDC_NEED_IE_NOTICE 1002
#define IDC_NEED_IE_ADVICE 1003
