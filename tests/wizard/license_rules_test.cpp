#include "wizard/rules/license_rules.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using wizard_rules::WelcomeStart;

TEST(WelcomeStart, SilentAndUpgradeAcceptAtOnceElseTheRememberedValueDecides) {
    struct Case {
        bool silent, upgrade;
        int64_t run_auto_install;
        WelcomeStart expected;
    };
    const Case cases[] = {
        {false, false, 0, WelcomeStart::kWaitForUser}, {false, false, 1, WelcomeStart::kCountDown},
        {false, false, -3, WelcomeStart::kCountDown},  {true, false, 1, WelcomeStart::kAcceptAtOnce},
        {false, true, 0, WelcomeStart::kAcceptAtOnce},
    };
    for (const Case& c : cases) {
        InstallSession session;
        session.Silent = c.silent;
        session.Upgrade = c.upgrade;
        EXPECT_EQ(wizard_rules::ChooseWelcomeStart(session, c.run_auto_install), c.expected)
            << c.silent << c.upgrade << " " << c.run_auto_install;
    }
}

TEST(AutoInstallCountdown, CaptionCountsFromThirtyDownToOne) {
    wizard_rules::AutoInstallCountdown countdown;
    EXPECT_EQ(wizard_rules::CountdownCaption(u"Tonehall"_tl, countdown.Tick()),
              u"Tonehall - Install Wizard (Auto Install in 30 seconds)");
    int last = 0;
    for (int tick = 2; tick <= 30; ++tick) last = countdown.Tick();
    EXPECT_EQ(last, 1);
}

// Uninstall entries of the two registry views and the install locations of the family's entries.
struct Machine {
    UninstallEntries native{u"Tonehall 27 (64-bit)"_tl, {}, false};
    bool wow64_found = false;
    std::vector<std::pair<TLString, TLString>> locations;
    std::vector<bool> views_asked;

    void Detect(InstallSession& session) {
        wizard_rules::DetectExistingInstallations(
            session,
            [this](bool wow64) {
                views_asked.push_back(wow64);
                return wow64 ? UninstallEntries{u"Tonehall 27"_tl, {}, wow64_found} : native;
            },
            [this](const TLString& entry) {
                for (const auto& [name, folder] : locations)
                    if (name == entry) return folder;
                return TLString();
            });
    }
};

TEST(DetectExistingInstallations, OwnEntryOfThisVersionMeansAnExistingInstallation) {
    Machine machine;
    machine.native.found = true;
    machine.wow64_found = true;
    InstallSession session;
    machine.Detect(session);
    EXPECT_EQ(session.UninstallKeyName, u"Tonehall 27 (64-bit)");
    EXPECT_TRUE(session.ExistingInstallationFound);
    EXPECT_FALSE(session.Is32BitInstallationFound);
    EXPECT_EQ(machine.views_asked, std::vector<bool>{false});
}

TEST(DetectExistingInstallations, WithoutItThe32BitViewIsAsked) {
    for (bool wow64_found : {false, true}) {
        Machine machine;
        machine.native.entry_name = u"Tonehall 27 (64-bit) (2)"_tl;
        machine.wow64_found = wow64_found;
        InstallSession session;
        machine.Detect(session);
        EXPECT_EQ(session.UninstallKeyName, u"Tonehall 27 (64-bit) (2)");
        EXPECT_FALSE(session.ExistingInstallationFound);
        EXPECT_EQ(session.Is32BitInstallationFound, wow64_found);
        EXPECT_EQ(machine.views_asked, (std::vector<bool>{false, true}));
    }
}

TEST(DetectExistingInstallations, OtherEntriesGiveTheirFoldersInOrderWithOneBackslash) {
    Machine machine;
    machine.native.other_entries = {u"Tonehall Radio"_tl, u"Tonehall Old"_tl, u"Tonehall Tools"_tl};
    machine.locations = {{u"Tonehall Radio"_tl, u"D:\\Radio"_tl},
                         {u"Tonehall Old"_tl, TLString()},
                         {u"Tonehall Tools"_tl, u"C:\\Tools\\\\"_tl}};
    InstallSession session;
    session.PreexistingProgramFolders.Add(u"E:\\Earlier\\"_tl);
    machine.Detect(session);
    EXPECT_EQ(session.PreexistingProgramFolders,
              (TLStringArray{u"E:\\Earlier\\"_tl, u"D:\\Radio\\"_tl, u"C:\\Tools\\"_tl}));
}

TEST(DetectExistingInstallations, PortableInstallLeavesTheMachinesEntriesAlone) {
    Machine machine;
    machine.native.found = true;
    machine.native.other_entries = {u"Tonehall Radio"_tl};
    machine.locations = {{u"Tonehall Radio"_tl, u"D:\\Radio"_tl}};
    InstallSession session;
    session.PortableMode = true;
    session.UninstallKeyName = u"left from before"_tl;
    machine.Detect(session);
    EXPECT_TRUE(session.UninstallKeyName.empty());
    EXPECT_FALSE(session.ExistingInstallationFound);
    EXPECT_TRUE(session.PreexistingProgramFolders.IsEmpty());
    EXPECT_TRUE(machine.views_asked.empty());
}

}  // namespace
