#include "core/windows/fault_seam.h"

#include <atomic>

namespace tlwin {
namespace {

struct Planted {
    std::atomic<DWORD> error{ERROR_SUCCESS};
    std::atomic<long> calls_to_pass{0};
};

Planted g_planted[static_cast<size_t>(FaultCall::kCount)];

}  // namespace

DWORD PlantedError(FaultCall call) {
    Planted& planted = g_planted[static_cast<size_t>(call)];
    const DWORD error = planted.error.load();
    if (error == ERROR_SUCCESS) return ERROR_SUCCESS;
    if (planted.calls_to_pass.fetch_sub(1) > 0) return ERROR_SUCCESS;
    SetLastError(error);
    return error;
}

PlantedFault::PlantedFault(FaultCall call, DWORD error, unsigned calls_to_pass) : call_(call) {
    Planted& planted = g_planted[static_cast<size_t>(call)];
    planted.calls_to_pass = static_cast<long>(calls_to_pass);
    planted.error = error;
}

PlantedFault::~PlantedFault() { g_planted[static_cast<size_t>(call_)].error = ERROR_SUCCESS; }

}  // namespace tlwin
