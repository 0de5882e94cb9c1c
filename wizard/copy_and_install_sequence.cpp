#include "wizard/copy_and_install_sequence.h"

namespace copypage {

void CopyPageSequence::Start() {
    window_.ShowPromoImage(current_image_);
    window_.ScheduleTimer(kImageTimer, ImagePeriod(timing_));
    Advance();
}

void CopyPageSequence::Advance() {
    const int step = NextStep(next_step_, next_step_ == kProgramFiles && window_.InstalledProgramCurrent());
    window_.ScheduleTimer(step, 1);
    next_step_ = step + 1;
}

void CopyPageSequence::OnTimer(int id) {
    if (id == kImageTimer) {
        if (current_image_ != timing_.count) {
            window_.ShowPromoImage(++current_image_);
        } else {
            window_.EndTimer(kImageTimer);
            images_done_ = true;
        }
        return;
    }
    window_.EndTimer(id);
    switch (id) {
        case kDependencies:
        case kProgramFiles:
        case kPlugins:
            if (window_.RunStep(id)) Advance();
            return;
        case kFinishingWait:
            if (!images_done_) {
                range_ = FinishingWaitRange(timing_, current_image_);
                position_ = 0;
                window_.SetRange(range_);
                window_.SetPosition(position_);
                window_.SetStatus(u"Finalizing installation...");
            }
            Advance();
            return;
        case kCountdown:
            if (images_done_) {
                Advance();
                return;
            }
            window_.ScheduleTimer(kCountdown, kCountdownTick);
            // The pictures' clock and this one drift apart a little; the bar stops at its end.
            if (position_ < range_) window_.SetPosition(++position_);
            return;
        case kDone:
            finished_ = true;
            window_.Finish();
            return;
        default:
            return;
    }
}

}  // namespace copypage
