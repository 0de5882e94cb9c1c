// The uninstall entry's icon, the cleaning's configured list and the installations record. The
// uninstall entry's values themselves are checked where they land, in an installed product.
#include <gtest/gtest.h>

#include "app/installation_record_values.h"
#include "engine/cleaning/obsolete_list.h"
#include "engine/uninstall/uninstall_values.h"

namespace {

TEST(UninstallValues, IconIsTheCustomResourceBeforeTheDefaultOne) {
    const TLString folder = u"C:\\T\\";
    const auto none = [](const TLString&) { return false; };
    const auto custom = [](const TLString& path) { return path.Find(u"Custom") != TLString::npos; };
    EXPECT_EQ(engine::FindProductResource(folder, u"application.ico", none),
              u"C:\\T\\Data\\Default Resources\\application.ico");
    EXPECT_EQ(engine::FindProductResource(folder, u"application.ico", custom),
              u"C:\\T\\Data\\Custom Resources\\application.ico");
}

TEST(ObsoleteList, RelativeEntriesLieInTheInstallFolderAndEmptyOnesNameNothing) {
    const TLStringArray paths = engine::ConfiguredObsoletePaths(
        u"old.dll;;Plugins\\in_x.dll; ;C:\\Elsewhere\\y.dll;\\\\server\\share\\z.dll;", u"C:\\Tonehall\\");
    EXPECT_EQ(paths, (TLStringArray{u"C:\\Tonehall\\old.dll", u"C:\\Tonehall\\Plugins\\in_x.dll",
                                    u"C:\\Elsewhere\\y.dll", u"\\\\server\\share\\z.dll"}));
    EXPECT_TRUE(engine::ConfiguredObsoletePaths(u"", u"C:\\Tonehall\\").IsEmpty());
}

TEST(InstallationRecord, KeepsTheInstallationIdentifier) {
    installation::RecordFacts facts;
    facts.destination_folder = u"C:\\T\\";
    facts.version_text = u"27.0.0.1";
    facts.os_code = 1013;
    facts.launcher_name = u"Tonehall Launcher.exe";
    facts.uninstall_key = u"Tonehall 27 (64-bit)";
    facts.new_guid = u"{NEW}";
    auto values = installation::RecordValues(facts);
    const char16_t* names[] = {u"Path", u"Version", u"OS Version", u"Launcher Name", u"Uninstall Key", u"GUID"};
    ASSERT_EQ(values.size(), std::size(names));
    for (size_t i = 0; i < values.size(); ++i) EXPECT_EQ(values[i].name, names[i]);
    EXPECT_EQ(values[2].integer, 1013u);
    EXPECT_TRUE(values[2].is_integer);
    EXPECT_EQ(values[5].text, u"{NEW}");

    facts.existing_guid = u"{OLD}";
    EXPECT_EQ(installation::RecordValues(facts)[5].text, u"{OLD}");
}

TEST(InstalledVersionNotOlder, HoldsOnlyWithoutDowngradesForAnInstalledCopyAtLeastAsNew) {
    struct Case {
        const char* what;
        bool allow_downgrade, found, portable;
        uint64_t installed, fresh;
        bool current;
    } cases[] = {
        {"same version", false, true, false, 5, 5, true},     {"installed newer", false, true, false, 6, 5, true},
        {"installed older", false, true, false, 4, 5, false}, {"downgrades allowed", true, true, false, 6, 5, false},
        {"nothing found", false, false, false, 6, 5, false},  {"portable", false, true, true, 5, 5, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(
            installation::InstalledVersionNotOlder({c.allow_downgrade, c.found, c.portable, c.installed, c.fresh}),
            c.current)
            << c.what;
}

}  // namespace
