#pragma once
// The copy-and-install page's rules: the order of its timed steps, the promotional pictures' timing
// and which picture files it looks for. Plain functions of the page's state.

#include <array>
#include <cstdint>

#include "core/string/tl_string.h"

namespace copypage {

// The page's steps, each started by a one-shot timer of that number; the picture rotation has a
// periodic timer of its own.
enum Step : int {
    kDependencies = 0,
    kProgramFiles = 1,
    kPlugins = 2,
    kFinishingWait = 3,
    kCountdown = 4,
    kDone = 5,
};
inline constexpr int kImageTimer = 100;
// The finishing wait moves the bar once per tick.
inline constexpr int kCountdownTick = 333;

// Promotional picture settings as the product information gives them ("PromoMinimumMilliseconds",
// "PromoCount"), made sane: at least one second in all and at least one picture.
struct PromoTiming {
    int minimum_ms = 1000;
    int count = 1;
};
PromoTiming MakePromoTiming(int64_t minimum_ms, int64_t count);

// Each picture's time on screen.
int ImagePeriod(const PromoTiming& timing);

// The step that follows `next`: when the installed program is already current the program files and
// the plug-ins are left out.
int NextStep(int next, bool installed_program_current);

// Windows' MulDiv: a * b / c rounded to the nearest integer, -1 when c is 0.
int MulDiv(int a, int b, int c);

// The bar of the finishing wait: it counts the ticks of the pictures' remaining time, from picture
// `current` on.
int FinishingWaitRange(const PromoTiming& timing, int current);

// The files tried for picture `n`, in order: the language's PNG and JPEG, then the plain ones.
std::array<TLString, 4> PromoCandidates(const TLString& installer_folder, int n, const TLString& language);

}  // namespace copypage
