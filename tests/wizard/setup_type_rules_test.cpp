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
    bool express;
    std::optional<int> remembered;
};

class SetupTypeTable : public ::testing::TestWithParam<SetupTypeCase> {};

void SetRun(InstallSession& session, const SetupTypeCase& c) {
    session.AutoInstall = c.auto_install;
    session.Upgrade = c.upgrade;
    session.Silent = c.silent;
}

// Leaving forward always clears portable mode (a Custom, Portable run that came back to choose again).
TEST_P(SetupTypeTable, LeavingForward) {
    const SetupTypeCase& c = GetParam();
    InstallSession session;
    SetRun(session, c);
    session.PortableMode = true;
    EXPECT_EQ(wizard_rules::LeaveSetupType(session, c.choice, c.ticked), c.remembered);
    EXPECT_EQ(session.ExpressMode, c.express);
    EXPECT_FALSE(session.PortableMode);
}

INSTANTIATE_TEST_SUITE_P(
    Runs, SetupTypeTable,
    ::testing::Values(SetupTypeCase{"Express", false, false, false, kExpress, false, true, 0},
                      SetupTypeCase{"ExpressTicked", false, false, false, kExpress, true, true, 1},
                      SetupTypeCase{"CustomTicked", false, false, false, kCustom, true, false, 1},
                      SetupTypeCase{"Custom", false, false, false, kCustom, false, false, 0},
                      SetupTypeCase{"AfterCountdown", true, false, false, kCustom, false, true, std::nullopt},
                      SetupTypeCase{"Upgrade", false, true, false, kCustom, true, true, std::nullopt},
                      SetupTypeCase{"Silent", false, false, true, kCustom, false, true, std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

// A page that passes over itself leaves portable mode as the setup type page set it.
TEST(CustomSetupType, LeavingSetsPortableOnlyWhenThePageWasShown) {
    struct Case {
        bool offered, silent, express, shown;
    };
    const Case cases[] = {{true, false, false, true},
                          {false, false, false, false},
                          {true, true, false, false},
                          {true, false, true, false}};
    for (const Case& c : cases) {
        for (int choice : {kNormal, kPortable}) {
            InstallSession session;
            session.Silent = c.silent;
            session.ExpressMode = c.express;
            wizard_rules::LeaveCustomSetupType(session, c.offered, choice);
            EXPECT_EQ(session.PortableMode, c.shown && choice == kPortable) << c.offered << c.silent << c.express;
        }
    }
}

TEST(CustomSetupType, ChoosingNormalAgainClearsPortable) {
    InstallSession session;
    wizard_rules::LeaveCustomSetupType(session, true, kPortable);
    EXPECT_TRUE(session.PortableMode);
    wizard_rules::LeaveCustomSetupType(session, true, kNormal);
    EXPECT_FALSE(session.PortableMode);
}

}  // namespace
