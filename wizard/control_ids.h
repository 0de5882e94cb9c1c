#pragma once
// Control identifiers of the wizard's windows, one list for every page, so that a program driving
// the wizard (the UI tests) finds each control by its number. Numbers are never reused.

#include "toolkit/wizard/tl_wizard_ids.h"

namespace wizard_ids {

using toolkit::kBackButtonId;
using toolkit::kCancelButtonId;
using toolkit::kFirstPageId;
using toolkit::kHeaderId;
using toolkit::kNextButtonId;

// Page bodies whose work is not built yet show one note.
constexpr int kNotBuiltNote = 0x4000;

// Welcome and agreement page.
constexpr int kLicenseLabel = 0x4100;
constexpr int kLicenseText = 0x4101;

// Setup type pages: the radio buttons follow one another from the first.
constexpr int kSetupTypeLabel = 0x4200;
constexpr int kSetupTypeFirstRadio = 0x4210;
constexpr int kAutoInstallCheck = 0x4220;
constexpr int kCustomTypeLabel = 0x4300;
constexpr int kCustomTypeFirstRadio = 0x4310;

// Destination folder page.
constexpr int kInstallToLabel = 0x4400;
constexpr int kFolderField = 0x4401;
constexpr int kChangeButton = 0x4402;

// Copy-and-install page.
constexpr int kInstallStatus = 0x4500;
constexpr int kInstallProgress = 0x4501;
constexpr int kPromoImage = 0x4502;

// File associations page.
constexpr int kAssociationList = 0x4600;
constexpr int kSelectAllButton = 0x4601;
constexpr int kUnselectAllButton = 0x4602;
constexpr int kSelectDefaultButton = 0x4603;

// Shortcuts page.
constexpr int kShortcutsLabel = 0x4700;
constexpr int kStartMenuCheck = 0x4701;
constexpr int kDesktopCheck = 0x4702;
constexpr int kQuickLaunchCheck = 0x4703;

// Finish page.
constexpr int kFinishStatus = 0x4800;
constexpr int kFinishActionCheck = 0x4801;

}  // namespace wizard_ids
