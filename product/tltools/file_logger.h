#pragma once
// The general log: one UTF-8 line per entry appended to "Tonehall Setup.log" in the user's
// temporary folder (%TEMP%), shared by every process of the product:
//   2026-12-10 03:55:01.123 [<process id>] <kind> <function>: <text>

#include "core/tools/tools_interface.h"

namespace tltools_dll {

class CFileLogger final : public tltools::ILogger {
public:
    CFileLogger();
    void Log(int kind, const TLString& function, const TLString& text) override;
    const TLString& path() const { return path_; }

private:
    TLString path_;
};

}  // namespace tltools_dll
