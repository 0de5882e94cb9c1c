#include "wizard/copy_and_install_rules.h"

#include <algorithm>
#include <cstdint>

namespace copypage {

PromoTiming MakePromoTiming(int64_t minimum_ms, int64_t count) {
    return {static_cast<int>(std::clamp<int64_t>(minimum_ms, 1000, INT32_MAX)),
            static_cast<int>(std::clamp<int64_t>(count, 1, INT32_MAX))};
}

int ImagePeriod(const PromoTiming& timing) { return timing.minimum_ms / timing.count; }

int NextStep(int next, bool installed_program_current) {
    return next == kProgramFiles && installed_program_current ? kFinishingWait : next;
}

int MulDiv(int a, int b, int c) {
    if (c == 0) return -1;
    const int64_t product = static_cast<int64_t>(a) * b;
    const int64_t divisor = c < 0 ? -static_cast<int64_t>(c) : c;
    const int64_t magnitude = ((product < 0 ? -product : product) + divisor / 2) / divisor;
    return static_cast<int>((product < 0) != (c < 0) ? -magnitude : magnitude);
}

int FinishingWaitRange(const PromoTiming& timing, int current) {
    const int remaining = MulDiv(timing.minimum_ms, timing.count - current + 1, timing.count);
    return remaining / kCountdownTick + 1;
}

std::array<TLString, 4> PromoCandidates(const TLString& installer_folder, int n, const TLString& language) {
    return {
        TLString::Format(u"%sSetup\\Promo%d - %s.png", installer_folder, n, language),
        TLString::Format(u"%sSetup\\Promo%d - %s.jpg", installer_folder, n, language),
        TLString::Format(u"%sSetup\\Promo%d.png", installer_folder, n),
        TLString::Format(u"%sSetup\\Promo%d.jpg", installer_folder, n),
    };
}

}  // namespace copypage
