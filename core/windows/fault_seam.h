#pragma once
// The one place where a test may make a Windows call fail with an error of its choice, for faults
// that a test machine cannot produce on demand (a registry key the user may not write, a full disk).
// Only these calls ask the seam first, each through the layer function named beside it:
//
//   FaultCall::kRegistryWrite  RegistryKey::Create, every RegistryKey::Write..., DeleteValue, DeleteKeyTree,
//                              DeleteKeyWithoutSubkeys
//   FaultCall::kFileCopy       tlwin::CopyFileTo
//   FaultCall::kFileMove       tlwin::MoveFileTo
//   FaultCall::kFileDelete     tlwin::DeleteFileAt
//   FaultCall::kFileWrite      tlxml::WriteTextFile
//   FaultCall::kFileAttributes tlwin::SetAttributesAt
//   FaultCall::kDelayedMove    tlwin::MoveFileOnRestart
//   FaultCall::kFontAdd        tlwin::AddFont
//   FaultCall::kFreeSpace      tlwin::FreeBytesAvailable
//   FaultCall::kWindowCreate   TLWindow::CreateOfClass (the toolkit's own windows)
//
// Every other call, and these calls while no fault is planted, go straight to Windows.

#include <windows.h>

#include <cstddef>

namespace tlwin {

enum class FaultCall : size_t {
    kRegistryWrite,
    kFileCopy,
    kFileMove,
    kFileDelete,
    kFileWrite,
    kFileAttributes,
    kDelayedMove,
    kFontAdd,
    kFreeSpace,
    kWindowCreate,
    kCount
};

// The error a test planted for the call, or ERROR_SUCCESS. A call that gets an error must fail with
// it without touching the system; the layer functions also leave it as the last error.
DWORD PlantedError(FaultCall call);

// For tests: while it lives, the call fails with `error`, after `calls_to_pass` calls that still
// succeed (to hit the third file of a copy, say). Faults of different calls may be planted at once.
class PlantedFault {
public:
    PlantedFault(FaultCall call, DWORD error, unsigned calls_to_pass = 0);
    ~PlantedFault();
    PlantedFault(const PlantedFault&) = delete;
    PlantedFault& operator=(const PlantedFault&) = delete;

private:
    FaultCall call_;
};

}  // namespace tlwin
