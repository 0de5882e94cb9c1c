#pragma once
// Registers a player plug-in library: loads it, tells its kind by its exports, checks an input
// plug-in's interface version, writes its records and bookkeeping into the product's settings and
// asks a running product to reload its plug-in lists. Every refusal is reported through the prompts
// and leaves no record.

#include "core/string/tl_string.h"
#include "core/tools/install_prompts.h"
#include "core/windows/change_notes.h"

namespace package {

class CInstallWAPlugin {
public:
    CInstallWAPlugin(tools::IInstallPrompts& prompts, tlwin::IChangeNotes& notes) : prompts_(prompts), notes_(notes) {}

    // `quiet` keeps the wrong-version notice from being shown (it is still logged).
    bool Register(const TLString& path, bool quiet);

private:
    bool Refuse(const TLString& message, bool show);

    tools::IInstallPrompts& prompts_;
    tlwin::IChangeNotes& notes_;
};

}  // namespace package
