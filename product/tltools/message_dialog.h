#pragma once
// The product's message box: a dialog ("#32770") with the title, the text and one button per answer.
// Button ids are the answers themselves (IDOK, IDYES, IDNO, or 100 + the index of a named button), so
// whoever presses a button, a person or a WM_COMMAND from another program, gets that answer back.

#include "core/tools/tools_interface.h"

namespace tltools_dll {

class CMessageDialog final : public tltools::IMessageService {
public:
    // The standard button names go through `translator`.
    explicit CMessageDialog(tltools::ITranslator& translator) : translator_(translator) {}
    int Show(void* owner_window, const TLString& title, const TLString& text, int buttons,
             const TLStringArray* named_buttons) override;
    // The application whose dialogs these are.
    void SetInstance(void* instance) { instance_ = instance; }

private:
    tltools::ITranslator& translator_;
    void* instance_ = nullptr;
};

}  // namespace tltools_dll
