#pragma once
// The prompts of an interactive run: every question is a message box of the message service, owned by
// the window given (the wizard's, once it exists).

#include <windows.h>

#include "core/tools/install_prompts.h"

namespace tools {

class MessageServicePrompts final : public IInstallPrompts {
public:
    explicit MessageServicePrompts(HWND owner = nullptr) : owner_(owner) {}
    void SetOwner(HWND owner) { owner_ = owner; }
    int Ask(const Prompt& prompt) override;

private:
    HWND owner_;
};

}  // namespace tools
