#pragma once
// A copy of the sample distribution in a scratch folder, and runs of its Setup.exe.

#include "tests/support/win_test_support.h"

namespace tltest {

// Removes what an installation leaves on the machine for later runs to find: the default program
// folder, the installations record, the family's uninstall entries, the product's settings and its
// RunOnce command. Every Distribution does it when it goes, so that one test's install is not the next
// test's existing installation; tests that want an existing installation write it themselves.
void ForgetInstalledProduct();

// For tests that install: nothing installed before them, nothing left after them.
class InstalledProductCleanup {
public:
    InstalledProductCleanup() { ForgetInstalledProduct(); }
    ~InstalledProductCleanup() { ForgetInstalledProduct(); }
    InstalledProductCleanup(const InstalledProductCleanup&) = delete;
    InstalledProductCleanup& operator=(const InstalledProductCleanup&) = delete;
    static constexpr char16_t kDestination[] = u"C:\\Program Files\\Tonehall 27\\";
};

class Distribution {
public:
    // `folder` is the distribution's place below the scratch folder ("" for its top).
    explicit Distribution(std::u16string_view folder = u"");
    ~Distribution() { ForgetInstalledProduct(); }
    Distribution(const Distribution&) = delete;
    Distribution& operator=(const Distribution&) = delete;
    const TLString& path() const { return path_; }
    TLString Path(std::u16string_view relative) const { return path_ + relative; }
    const ScratchFolder& scratch() const { return scratch_; }
    TLString SetupExe() const { return Path(u"Setup.exe"); }
    // Puts the test-only build of Setup.exe in place of the shipped one, so that the free space and
    // the countdown's second come from the variables of tests/support/setup_stand_ins.h.
    bool UseSetupWithStandIns() const;

private:
    ScratchFolder scratch_;
    TLString path_;
};

}  // namespace tltest
