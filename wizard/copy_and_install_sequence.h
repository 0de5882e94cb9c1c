#pragma once
// The copy-and-install page's timed sequence: the steps started one after the other by one-shot
// timers, the promotional pictures rotated by a periodic timer, and the finishing wait that keeps the
// page up until every picture had its time. The page window carries out what the sequence asks.

#include "core/string/tl_string.h"
#include "wizard/copy_and_install_rules.h"

namespace copypage {

// What the sequence needs of the page window.
class ICopyPageWindow {
public:
    virtual void ScheduleTimer(int id, int period_ms) = 0;
    virtual void EndTimer(int id) = 0;
    // Shows promotional picture n when a file of it exists; otherwise the picture stays as it is.
    virtual void ShowPromoImage(int n) = 0;
    // Runs engine step 0, 1 or 2; false when the installation must stop (the wizard closes).
    virtual bool RunStep(int step) = 0;
    // Asked before the program files: an installed program at least as new leaves them out.
    virtual bool InstalledProgramCurrent() = 0;
    virtual void SetRange(int maximum) = 0;
    virtual void SetPosition(int position) = 0;
    // The text arrives untranslated.
    virtual void SetStatus(const TLString& text) = 0;
    // Moves the bar to its end, enables Next and moves the wizard on to the next page.
    virtual void Finish() = 0;

protected:
    ~ICopyPageWindow() = default;
};

class CopyPageSequence {
public:
    CopyPageSequence(ICopyPageWindow& window, PromoTiming timing) : window_(window), timing_(timing) {}

    // When the page is first shown: picture 1, the rotation, and the first step.
    void Start();
    void OnTimer(int id);

    int current_image() const { return current_image_; }
    bool images_done() const { return images_done_; }
    bool finished() const { return finished_; }

private:
    void Advance();

    ICopyPageWindow& window_;
    PromoTiming timing_;
    int next_step_ = kDependencies;
    int current_image_ = 1;
    int position_ = 0;
    int range_ = 0;
    bool images_done_ = false;
    bool finished_ = false;
};

}  // namespace copypage
