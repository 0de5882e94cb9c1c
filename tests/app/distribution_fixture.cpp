#include "tests/app/distribution_fixture.h"

#include <gtest/gtest.h>

namespace tltest {

Distribution::Distribution(std::u16string_view folder) : path_(scratch_.Path(folder)) {
    path_.EnsureTrailingBackslash();
    EXPECT_TRUE(CopyTree(BuildPath(u"distribution"), path_));
}

}  // namespace tltest
