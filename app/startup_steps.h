#pragma once
// The steps of the installer's startup that stand on their own.

#include <windows.h>

#include "core/session/install_session.h"
#include "core/session/run_outcome.h"
#include "core/string/tl_string.h"
#include "core/windows/registry.h"

namespace startup {

// The two VirtualStore keys opened while their copies of the product's machine settings are
// removed; both stay open until startup ends.
struct VirtualStoreKeys {
    tlwin::RegistryKey keys[2];
};

// Deletes the "C. Orvane" copies Windows made for programs that wrote HKEY_LOCAL_MACHINE without
// rights, so that the product reads the real machine settings.
VirtualStoreKeys ClearVirtualStore();

// Logs the installer's own file version (read with the system's Version.dll).
void LogSetupVersion();

// Tells the skin service the title-bar image and the skin file, keeping the skin the user chose in
// an installed copy when it is valid; then shows the language selection when the product asks for it.
void ChooseSkin(const TLString& executable_folder);

// Ctrl, Shift and F held down together while the installer starts skip the system checks.
bool ChecksOverriddenByKeyboard();

// Renames the distribution's launcher to the product's launcher name and copies it into the
// program files; a second run finds the rename already done. On read-only media both fail, and the
// copy phase puts the launcher into the destination instead.
void PlaceLauncher(const TLString& executable_folder, const TLString& launcher_name);

// Builds the run's context (the session, the distribution folder `folder`, the product's facts, the
// pending lists and the prompts: message boxes, or the safe answers when the session says nobody
// answers), creates the wizard window with it, runs it modally until it is finished or cancelled,
// and destroys it. A wizard whose window cannot be made is reported, never a silent end. Returns how
// the run ended.
RunOutcome RunWizard(InstallSession& session, const TLString& folder);

// Why the wizard window could not be made, for the person: Windows' words for `error`, or for a
// window refused without any error, the likely reason.
TLString WizardStartCause(DWORD error);

}  // namespace startup
