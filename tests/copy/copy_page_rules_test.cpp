// The copy-and-install page's timing and picture rules.
#include <gtest/gtest.h>

#include "wizard/copy_and_install_rules.h"

namespace {

using copypage::PromoTiming;

TEST(CopyPageRules, PromoSettingsAreMadeSane) {
    struct Case {
        int64_t minimum, count;
        int sane_minimum, sane_count, period;
    } cases[] = {
        {0, 0, 1000, 1, 1000},     {9000, 3, 9000, 3, 3000}, {999, 2, 1000, 2, 500},
        {3000, -4, 3000, 1, 3000}, {5000, 3, 5000, 3, 1666},
    };
    for (const Case& c : cases) {
        const PromoTiming timing = copypage::MakePromoTiming(c.minimum, c.count);
        EXPECT_EQ(timing.minimum_ms, c.sane_minimum);
        EXPECT_EQ(timing.count, c.sane_count);
        EXPECT_EQ(copypage::ImagePeriod(timing), c.period);
    }
}

TEST(CopyPageRules, FinishingWaitCountsTheRemainingPictureTimeInTicks) {
    const PromoTiming nine_seconds{9000, 3};
    EXPECT_EQ(copypage::FinishingWaitRange(nine_seconds, 1), 28);  // 9000 / 333 + 1
    EXPECT_EQ(copypage::FinishingWaitRange(nine_seconds, 2), 19);  // 6000 / 333 + 1
    EXPECT_EQ(copypage::FinishingWaitRange(nine_seconds, 3), 10);  // 3000 / 333 + 1
    EXPECT_EQ(copypage::FinishingWaitRange({1000, 1}, 1), 4);
    EXPECT_EQ(copypage::FinishingWaitRange({1000, 3}, 2), 3);  // MulDiv rounds 666.67 up to 667
}

TEST(CopyPageRules, MulDivRoundsToTheNearestLikeWindows) {
    EXPECT_EQ(copypage::MulDiv(1000, 2, 3), 667);
    EXPECT_EQ(copypage::MulDiv(1000, 1, 3), 333);
    EXPECT_EQ(copypage::MulDiv(-1000, 2, 3), -667);
    EXPECT_EQ(copypage::MulDiv(5, 1, 2), 3);
    EXPECT_EQ(copypage::MulDiv(2000000000, 3, 4), 1500000000);  // no overflow on the way
    EXPECT_EQ(copypage::MulDiv(1, 1, 0), -1);
}

TEST(CopyPageRules, CurrentInstalledProgramLeavesOutTheProgramFilesAndPlugins) {
    EXPECT_EQ(copypage::NextStep(copypage::kProgramFiles, true), copypage::kFinishingWait);
    EXPECT_EQ(copypage::NextStep(copypage::kProgramFiles, false), copypage::kProgramFiles);
    for (int step : {0, 2, 3, 4, 5}) EXPECT_EQ(copypage::NextStep(step, true), step);
}

TEST(CopyPageRules, PicturesNamedForTheLanguageComeFirst) {
    const auto candidates = copypage::PromoCandidates(u"D:\\dist\\", 2, u"German");
    EXPECT_EQ(candidates[0], u"D:\\dist\\Setup\\Promo2 - German.png");
    EXPECT_EQ(candidates[1], u"D:\\dist\\Setup\\Promo2 - German.jpg");
    EXPECT_EQ(candidates[2], u"D:\\dist\\Setup\\Promo2.png");
    EXPECT_EQ(candidates[3], u"D:\\dist\\Setup\\Promo2.jpg");
}

}  // namespace
