#pragma once
// What the system checks need of the machine and the user, one operation per fact or act. The
// installer's host asks Windows, the tools library and the user; tests describe a machine.

#include <cstdint>

#include "app/system_checks/browser_check.h"
#include "app/system_checks/check_messages.h"
#include "core/system/os_info.h"

namespace syschecks {

class SystemCheckHost {
public:
    virtual bool HasRights() = 0;

    // The running product, as the product information sees it.
    virtual bool ProductRunning() = 0;
    // Posts WM_CLOSE (wParam 1) to the product's main window.
    virtual void PostCloseToProductWindow() = 0;
    // Lets the product information close the product by its own means.
    virtual void CloseProductByItsOwnMeans() = 0;
    // The high-resolution clock, and a short rest between two looks at the running product.
    virtual int64_t Milliseconds() = 0;
    virtual void PauseBetweenPolls() = 0;

    // Shows a message through the message service; returns the button pressed.
    virtual int ShowMessage(const CheckMessage& message) = 0;

    // The installed product's folder from the process information block; empty when none is known.
    virtual TLString InstalledProductFolder() = 0;
    // Runs the program with the single argument "/Stop", waiting for it.
    virtual void RunStopCommand(const TLString& program) = 0;

    virtual BrowserComponent Browser() = 0;
    // The browser component dialog; returns kBrowserDownload or kBrowserQuitSetup.
    virtual int ShowBrowserDialog() = 0;
    virtual void OpenBrowserDownloadPage() = 0;

    virtual uint32_t CpuFlags() = 0;
    virtual OsInfo Os() = 0;

protected:
    ~SystemCheckHost() = default;
};

}  // namespace syschecks
