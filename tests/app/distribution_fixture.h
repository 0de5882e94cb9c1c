#pragma once
// A copy of the sample distribution in a scratch folder, and runs of its Setup.exe.

#include "tests/support/win_test_support.h"

namespace tltest {

class Distribution {
public:
    // `folder` is the distribution's place below the scratch folder ("" for its top).
    explicit Distribution(std::u16string_view folder = u"");
    const TLString& path() const { return path_; }
    TLString Path(std::u16string_view relative) const { return path_ + relative; }
    const ScratchFolder& scratch() const { return scratch_; }
    TLString SetupExe() const { return Path(u"Setup.exe"); }

private:
    ScratchFolder scratch_;
    TLString path_;
};

}  // namespace tltest
