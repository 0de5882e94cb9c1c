// The copy-and-install page's timing and picture rules.
#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "wizard/copy_and_install_rules.h"
#include "wizard/copy_and_install_sequence.h"

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

namespace {

// A page window that records what the sequence asks and fires timers when the test says so.
class FakePage final : public copypage::ICopyPageWindow {
public:
    void ScheduleTimer(int id, int period_ms) override { timers[id] = period_ms; }
    void EndTimer(int id) override { timers.erase(id); }
    void ShowPromoImage(int n) override { shown.push_back(n); }
    bool RunStep(int step) override {
        steps.push_back(step);
        return step != fail_step;
    }
    bool InstalledProgramCurrent() override { return installed_current; }
    void SetRange(int maximum) override { range = maximum; }
    void SetPosition(int value) override { position = value; }
    void SetStatus(const TLString& text) override { status = text; }
    void Finish() override { finished = true; }

    // Fires the lowest step timer that runs (the one-shot timers are due first).
    bool FireStep(copypage::CopyPageSequence& sequence) {
        for (const auto& [id, period] : timers)
            if (id != copypage::kImageTimer) {
                sequence.OnTimer(id);
                return true;
            }
        return false;
    }

    std::map<int, int> timers;
    std::vector<int> shown, steps;
    int fail_step = -1;
    bool installed_current = false;
    int range = 0, position = 0;
    TLString status;
    bool finished = false;
};

TEST(CopyPageSequence, RunsTheStepsThenWaitsForEveryPicture) {
    FakePage page;
    copypage::CopyPageSequence sequence(page, {9000, 3});
    sequence.Start();
    EXPECT_EQ(page.shown, std::vector<int>{1});
    EXPECT_EQ(page.timers[copypage::kImageTimer], 3000);
    for (int i = 0; i < 4; ++i) ASSERT_TRUE(page.FireStep(sequence));  // steps 0, 1, 2 and the finishing wait
    EXPECT_EQ(page.steps, (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(page.range, 28) << "the steps ended while picture 1 was up";
    EXPECT_EQ(page.status, u"Finalizing installation...");

    ASSERT_TRUE(page.FireStep(sequence));  // the countdown ticks
    EXPECT_EQ(page.timers[copypage::kCountdown], 333);
    EXPECT_EQ(page.position, 1);
    sequence.OnTimer(copypage::kImageTimer);
    sequence.OnTimer(copypage::kImageTimer);
    EXPECT_EQ(page.shown, (std::vector<int>{1, 2, 3}));
    EXPECT_FALSE(sequence.images_done());
    sequence.OnTimer(copypage::kImageTimer);
    EXPECT_TRUE(sequence.images_done());
    EXPECT_EQ(page.timers.count(copypage::kImageTimer), 0u);

    ASSERT_TRUE(page.FireStep(sequence));  // the countdown sees the pictures done
    ASSERT_TRUE(page.FireStep(sequence));  // done
    EXPECT_TRUE(page.finished);
    EXPECT_TRUE(page.timers.empty());
}

TEST(CopyPageSequence, StepsLongerThanThePicturesGoStraightOn) {
    FakePage page;
    copypage::CopyPageSequence sequence(page, {1000, 1});
    sequence.Start();
    ASSERT_TRUE(page.FireStep(sequence));
    sequence.OnTimer(copypage::kImageTimer);  // the only picture had its time during step 0
    while (page.FireStep(sequence)) {
    }
    EXPECT_EQ(page.steps, (std::vector<int>{0, 1, 2}));
    EXPECT_TRUE(page.status.empty()) << "no finishing wait";
    EXPECT_TRUE(page.finished);
}

TEST(CopyPageSequence, CurrentInstalledProgramRunsOnlyTheDependencies) {
    FakePage page;
    page.installed_current = true;
    copypage::CopyPageSequence sequence(page, {1000, 1});
    sequence.Start();
    sequence.OnTimer(copypage::kImageTimer);
    while (page.FireStep(sequence)) {
    }
    EXPECT_EQ(page.steps, std::vector<int>{0});
    EXPECT_TRUE(page.finished);
}

TEST(CopyPageSequence, FailedStepEndsTheSequence) {
    FakePage page;
    page.fail_step = 1;
    copypage::CopyPageSequence sequence(page, {1000, 1});
    sequence.Start();
    while (page.FireStep(sequence)) {
    }
    EXPECT_EQ(page.steps, (std::vector<int>{0, 1}));
    EXPECT_FALSE(page.finished);
}

}  // namespace
