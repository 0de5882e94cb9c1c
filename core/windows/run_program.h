#pragma once
// Starting other programs and registering COM servers. Every step of a launch goes to the general
// log, so that a failed install can be traced.

#include "core/string/tl_string.h"
#include "core/string/tl_string_array.h"

class TLProcessInfoBlock;

namespace tlwin {

// Keeps the calling thread's windows alive: dispatches the window messages waiting for it, through the
// tools library's dispatcher when there is one.
void DispatchPendingMessages();

// Starts `program` with the parameters joined by single blanks. Visible programs are shown normally
// and may show the shell's error dialogs; hidden ones are started with those suppressed. With `wait`
// it waits for the program to end: polling every 500 ms, or every 10 ms with the calling thread's
// window messages dispatched in between when `pump_messages` is set. `exit_code` (may be null) is -1
// until the program has ended. A `timeout_ms` above 0 limits the waiting; a program still running then
// is terminated. Returns whether the program started and, when waited for, ended by itself.
bool RunProgram(const TLString& program, const TLStringArray& parameters, bool visible, bool wait, bool pump_messages,
                int* exit_code, int timeout_ms);

// RunProgram with one parameter, waiting for the end.
bool RunWithParameter(const TLString& program, const TLString& parameter, bool visible, bool pump_messages,
                      int* exit_code, int timeout_ms);

// Runs "PackageInstaller.exe" from the installed product's folder that the process information block
// holds, with the parameter, visible and waiting without limit; false without running anything when
// the file is not there.
bool RunPackageInstaller(const TLProcessInfoBlock& block, const TLString& parameter);

// Has the installed product's package installer register ("/RegDLL " and the path) or unregister
// ("/UnRegDLL " and the path) a DLL.
bool RegisterThroughPackageInstaller(const TLProcessInfoBlock& block, const TLString& dll, bool register_it);

// Runs the system's RegSvr32.exe silently on the DLL ("/s" and, for unregistering, "/u", then the path
// in double quotes), hidden and pumping messages. With `leave_redirection` a 32-bit installer on
// 64-bit Windows runs it with file-system redirection switched off. Always returns true: RegSvr32
// tells its result only in the dialogs that "/s" suppresses.
bool RegisterWithRegSvr32(const TLString& dll, bool register_it, bool leave_redirection);

// Loads the DLL with its folder as the current directory and as a DLL search folder (so that what it
// needs is found beside it) and calls its DllRegisterServer; true when that succeeded. A DLL whose
// export table shows no DllRegisterServer fails without being loaded.
bool RegisterInProcess(const TLString& dll);
// The same with its DllUnregisterServer, which takes back what the registration wrote.
bool UnregisterInProcess(const TLString& dll);

}  // namespace tlwin
