#pragma once
// A copy of the sample distribution in a scratch folder, and runs of its Setup.exe.

#include "tests/support/win_test_support.h"

namespace tltest {

// What an installation leaves on the machine for later runs to find: the installations record, the
// family's uninstall entries, the product's settings and RunOnce command, and the default program
// folder. Removed when the object is destroyed, so that one test's install is not the next test's
// existing installation; tests that want an existing installation write it themselves.
class InstalledProductCleanup {
public:
    InstalledProductCleanup() = default;
    ~InstalledProductCleanup();
    InstalledProductCleanup(const InstalledProductCleanup&) = delete;
    InstalledProductCleanup& operator=(const InstalledProductCleanup&) = delete;
};

class Distribution {
public:
    // `folder` is the distribution's place below the scratch folder ("" for its top).
    explicit Distribution(std::u16string_view folder = u"");
    const TLString& path() const { return path_; }
    TLString Path(std::u16string_view relative) const { return path_ + relative; }
    const ScratchFolder& scratch() const { return scratch_; }
    TLString SetupExe() const { return Path(u"Setup.exe"); }

private:
    // First, so that it runs last: after the scratch copy (and whatever ran from it) is gone.
    InstalledProductCleanup cleanup_;
    ScratchFolder scratch_;
    TLString path_;
};

}  // namespace tltest
