// When each page passes over itself, as one table over the session's flags.
#include <gtest/gtest.h>

#include "wizard/rules/skip_rules.h"

namespace {

using engine::FinishAction;

struct SkipCase {
    const char* name;
    // The session.
    bool silent, upgrade, express, portable, existing, auto_install;
    bool custom_offered;
    FinishAction finish_action;
    // Expected: setup type, custom setup type, destination, file associations, shortcuts, finish.
    bool setup_type, custom, destination, associations, shortcuts, finish;
};

class SkipRules : public ::testing::TestWithParam<SkipCase> {};

TEST_P(SkipRules, DecideWhichPagesPassOverThemselves) {
    const SkipCase& c = GetParam();
    InstallSession session;
    session.Silent = c.silent;
    session.Upgrade = c.upgrade;
    session.ExpressMode = c.express;
    session.PortableMode = c.portable;
    session.ExistingInstallationFound = c.existing;
    session.AutoInstall = c.auto_install;
    // The setup type page comes first and may turn express mode on for the pages after it.
    EXPECT_EQ(wizard_rules::SetupTypeWantsSkip(session), c.setup_type);
    EXPECT_EQ(wizard_rules::SetupTypeCustomWantsSkip(session, c.custom_offered), c.custom);
    EXPECT_EQ(wizard_rules::SelectPathWantsSkip(session), c.destination);
    EXPECT_EQ(wizard_rules::FileAssociationWantsSkip(session), c.associations);
    EXPECT_EQ(wizard_rules::ShortcutsWantsSkip(session), c.shortcuts);
    EXPECT_EQ(wizard_rules::FinishWantsSkip(session, c.finish_action), c.finish);
}

constexpr FinishAction kNothing = engine::kFinishNothing;
constexpr FinishAction kRun = engine::kFinishRunProgram;
constexpr FinishAction kRestart = engine::kFinishRestart;

INSTANTIATE_TEST_SUITE_P(
    Sessions, SkipRules,
    ::testing::Values(
        //        name                         sil upg exp por exi aut cust finish   | st  cus dst ass sho fin
        SkipCase{"InteractiveFirstInstall", 0, 0, 0, 0, 0, 0, 1, kRun, 0, 0, 0, 0, 0, 0},
        SkipCase{"SilentPassesOverEveryQuestion", 1, 0, 0, 0, 0, 0, 1, kRestart, 1, 1, 1, 1, 1, 1},
        // An upgrade turns express mode on, which the later pages see.
        SkipCase{"UpgradeMeansExpress", 0, 1, 0, 0, 0, 0, 1, kRun, 1, 1, 1, 0, 1, 1},
        SkipCase{"UpgradeOverAnExistingInstallation", 0, 1, 0, 0, 1, 0, 1, kRun, 1, 1, 1, 1, 1, 1},
        SkipCase{"ExpressStillShowsAssociationsOnAFirstInstall", 0, 0, 1, 0, 0, 0, 1, kRun, 0, 1, 1, 0, 1, 1},
        SkipCase{"ExpressShowsTheFinishPageWhenARestartIsDue", 0, 0, 1, 0, 0, 0, 1, kRestart, 0, 1, 1, 0, 1, 0},
        SkipCase{"ExpressWithNothingToDoAtTheEnd", 0, 0, 1, 0, 0, 0, 1, kNothing, 0, 1, 1, 0, 1, 0},
        SkipCase{"AutoInstallCountdownRanOut", 0, 0, 1, 0, 0, 1, 1, kRun, 1, 1, 1, 0, 1, 1},
        SkipCase{"ProductWithoutCustomSetupType", 0, 0, 0, 0, 0, 0, 0, kRun, 0, 1, 0, 0, 0, 0},
        // An existing installation fixes the folder, unless the install is portable.
        SkipCase{"ExistingInstallationCustom", 0, 0, 0, 0, 1, 0, 1, kRun, 0, 0, 1, 0, 0, 0},
        SkipCase{"PortableOverAnExistingInstallationAsksForAFolder", 0, 0, 0, 1, 1, 0, 1, kRun, 0, 0, 0, 1, 1, 0},
        SkipCase{"PortableNeedsNoAssociationsOrShortcuts", 0, 0, 0, 1, 0, 0, 1, kRun, 0, 0, 0, 1, 1, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SkipRules, OnlyAnUpgradeTurnsExpressModeOn) {
    InstallSession upgrade;
    upgrade.Upgrade = true;
    wizard_rules::SetupTypeWantsSkip(upgrade);
    EXPECT_TRUE(upgrade.ExpressMode);

    // The countdown's run already is express; silent runs stay as they are.
    InstallSession silent;
    silent.Silent = true;
    silent.Upgrade = false;
    wizard_rules::SetupTypeWantsSkip(silent);
    EXPECT_FALSE(silent.ExpressMode);
}

}  // namespace
