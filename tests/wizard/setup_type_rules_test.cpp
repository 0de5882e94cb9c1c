#include "wizard/rules/setup_type_rules.h"

#include <gtest/gtest.h>

namespace {

constexpr int kExpress = 0, kCustom = 1;
constexpr int kNormal = 0, kPortable = 1;

struct SetupTypeCase {
    const char* name;
    bool auto_install, upgrade, silent;
    int choice;
    bool ticked;
    bool skips;
    bool express;
    std::optional<int> remembered;
};

class SetupTypeTable : public ::testing::TestWithParam<SetupTypeCase> {};

void SetRun(InstallSession& session, const SetupTypeCase& c) {
    session.AutoInstall = c.auto_install;
    session.Upgrade = c.upgrade;
    session.Silent = c.silent;
}

TEST_P(SetupTypeTable, PassingOverSetsExpressForAnUpgrade) {
    const SetupTypeCase& c = GetParam();
    InstallSession session;
    SetRun(session, c);
    EXPECT_EQ(pagerules::SetupTypeWantsSkip(session), c.skips);
    EXPECT_EQ(session.ExpressMode, c.upgrade && !c.auto_install);
}

// Leaving forward always clears portable mode (a Custom, Portable run that came back to choose again).
TEST_P(SetupTypeTable, LeavingForward) {
    const SetupTypeCase& c = GetParam();
    InstallSession session;
    SetRun(session, c);
    session.PortableMode = true;
    EXPECT_EQ(pagerules::LeaveSetupType(session, c.choice, c.ticked), c.remembered);
    EXPECT_EQ(session.ExpressMode, c.express);
    EXPECT_FALSE(session.PortableMode);
}

INSTANTIATE_TEST_SUITE_P(
    Runs, SetupTypeTable,
    ::testing::Values(SetupTypeCase{"Express", false, false, false, kExpress, false, false, true, 0},
                      SetupTypeCase{"ExpressTicked", false, false, false, kExpress, true, false, true, 1},
                      SetupTypeCase{"CustomTicked", false, false, false, kCustom, true, false, false, 1},
                      SetupTypeCase{"Custom", false, false, false, kCustom, false, false, false, 0},
                      SetupTypeCase{"AfterCountdown", true, false, false, kCustom, false, true, true, std::nullopt},
                      SetupTypeCase{"Upgrade", false, true, false, kCustom, true, true, true, std::nullopt},
                      SetupTypeCase{"Silent", false, false, true, kCustom, false, true, true, std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CustomSetupType, PassesOverItselfWhenNotOfferedSilentOrExpress) {
    struct Case {
        bool offered, silent, express, skips;
    };
    const Case cases[] = {
        {true, false, false, false}, {false, false, false, true}, {true, true, false, true}, {true, false, true, true}};
    for (const Case& c : cases) {
        InstallSession session;
        session.Silent = c.silent;
        session.ExpressMode = c.express;
        EXPECT_EQ(pagerules::CustomSetupTypeWantsSkip(session, c.offered), c.skips)
            << c.offered << c.silent << c.express;
        // A page that passes over itself leaves portable mode as the setup type page set it.
        for (int choice : {kNormal, kPortable}) {
            session.PortableMode = false;
            pagerules::LeaveCustomSetupType(session, c.offered, choice);
            EXPECT_EQ(session.PortableMode, !c.skips && choice == kPortable);
        }
    }
}

TEST(CustomSetupType, ChoosingNormalAgainClearsPortable) {
    InstallSession session;
    pagerules::LeaveCustomSetupType(session, true, kPortable);
    EXPECT_TRUE(session.PortableMode);
    pagerules::LeaveCustomSetupType(session, true, kNormal);
    EXPECT_FALSE(session.PortableMode);
}

}  // namespace
