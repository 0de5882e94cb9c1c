#pragma once
// CCopyAndInstallPpg: the page that installs. It runs the engine's steps one after the other from
// one-shot timers (dependencies, program files, plug-ins), shows their status and progress and a
// rotating series of promotional pictures, and moves the wizard on by itself once the steps are done
// and every picture had its time.

#include "engine/copy/install_progress.h"
#include "engine/install/install_helper.h"
#include "toolkit/controls/tl_image_static.h"
#include "toolkit/controls/tl_label.h"
#include "toolkit/controls/tl_progress_bar.h"
#include "wizard/copy_and_install_sequence.h"
#include "wizard/wizard_property_page.h"

class CCopyAndInstallPpg : public CWizardPropertyPage,
                           private engine::IInstallProgress,
                           private copypage::ICopyPageWindow {
public:
    explicit CCopyAndInstallPpg(CInstallWizard& wizard);

    bool WantsSkip() override { return false; }
    bool IsNextEnabled() override { return next_enabled_; }
    bool IsCancelEnabled() override { return cancel_enabled_; }
    void OnCancel() override { cancel_requested_ = true; }

protected:
    void CreateControls() override;
    void OnTimer(UINT_PTR id) override;

private:
    // engine::IInstallProgress: what the steps report.
    void SetHeading(const TLString& title, const TLString& subtitle) override;
    void SetRange(int maximum) override;
    void SetPosition(int position) override;
    void SetText(const TLString& text) override;
    void DispatchMessages() override;
    void SetCancelEnabled(bool enabled) override;
    bool CancelRequested() const override { return cancel_requested_; }

    // copypage::ICopyPageWindow: what the sequence asks of the window.
    void ScheduleTimer(int id, int period_ms) override;
    void EndTimer(int id) override;
    void ShowPromoImage(int n) override;
    bool RunStep(int step) override;
    bool InstalledProgramCurrent() override;
    void SetStatus(const TLString& text) override;
    void Finish() override;

    // Step 0: bundled media and the dependencies; false when the installation must stop.
    bool InstallDependencies();
    // Step 2: the shell extension, the support folders' packages and the driver.
    void InstallPlugins();

    TLString source_folder_;
    engine::CInstallHelper helper_;
    copypage::CopyPageSequence sequence_;
    TLLabel status_;
    TLProgressBar progress_;
    TLImageStatic image_;
    int range_ = 100;
    int position_ = 0;
    TLString status_text_;
    bool started_ = false;
    bool cancel_requested_ = false;
    bool cancel_enabled_ = false;
    bool next_enabled_ = false;
};
