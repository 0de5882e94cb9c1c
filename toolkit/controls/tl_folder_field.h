#pragma once
// A folder typed into a field, with a Change button beside it that opens the shell's folder chooser.

#include "toolkit/tl_control.h"

class TLFolderField : public TLControl {
public:
    ~TLFolderField() override;
    // The field takes `id`, the Change button `button_id`.
    bool Create(TLWizardPageWnd& page, int id, int button_id, const RECT& logical, const TLString& folder);
    TLString Folder() const;
    void SetFolder(const TLString& folder);
    void Place(UINT dpi) override;
    bool OnCommand(int id, int code) override;

private:
    // The shell's folder chooser (IFileDialog), starting at the field's folder; empty when cancelled.
    TLString ChooseFolder() const;

    HWND field_ = nullptr;
    HWND button_ = nullptr;
    int button_id_ = 0;
    RECT logical_{};
};
