// The guard against the second click of a double click, on a clock the test moves by hand.
#include "toolkit/wizard/tl_click_guard.h"

#include <gtest/gtest.h>

namespace {

TEST(ClickGuard, DropsClicksWithinItsTimeAfterEachPageChange) {
    int64_t now = 5000;
    TLClickGuard guard([&] { return now; });
    // Made together with the window, whose first page has just been shown.
    EXPECT_FALSE(guard.LetsClickThrough());
    now += TLClickGuard::kMilliseconds;
    EXPECT_TRUE(guard.LetsClickThrough());

    struct Click {
        int64_t after_change;
        bool let_through;
    };
    for (const Click click : {Click{0, false}, Click{1, false}, Click{TLClickGuard::kMilliseconds - 1, false},
                              Click{TLClickGuard::kMilliseconds, true}, Click{10'000, true}}) {
        guard.PageChanged();
        now += click.after_change;
        EXPECT_EQ(guard.LetsClickThrough(), click.let_through) << click.after_change << " ms after the change";
    }
}

}  // namespace
