#pragma once
// The running product: its main window (class "QVFrame"), which takes command lines as
// WM_COPYDATA (dwData 1, UTF-16 text) and closes on WM_CLOSE.

#include "core/tools/tools_interface.h"

namespace tltools_dll {

inline constexpr char16_t kMainWindowClass[] = u"QVFrame";

class CRunningProduct final : public tltools::IRunningProduct, public tltools::IProcessPosting {
public:
    bool IsRunning() override { return MainWindow() != nullptr; }
    void* MainWindow() override;
    bool Close(uint32_t timeout_ms) override;
    bool PostCommandLine(const TLString& command_line) override;
};

}  // namespace tltools_dll
