// Support files and packages, looked up folder by folder in the order the configuration gave.
#include <gtest/gtest.h>

#include "app/install_configuration.h"
#include "core/session/install_session.h"
#include "tests/support/win_test_support.h"

namespace {

class SupportFiles : public ::testing::Test {
protected:
    SupportFiles() {
        scratch_.WriteFile(u"Support\\vcredist.exe", "first");
        scratch_.WriteFile(u"Support\\Skins.qvp", "package");
        scratch_.WriteFile(u"Extra\\vcredist.exe", "second");
        scratch_.WriteFile(u"Extra\\directx.exe", "only here");
        scratch_.WriteFile(u"Extra\\Plugins.qvp", "package");
        scratch_.WriteFile(u"Extra\\Plugins.qvpx", "not a package");
        tltest::MakeFolders(scratch_.Path(u"Extra\\Folder.qvp"));
        session_.SupportFolders.Add(scratch_.Path(u"Support\\"));
        session_.SupportFolders.Add(scratch_.Path(u"Extra\\"));
    }

    tltest::ScratchFolder scratch_;
    InstallSession session_;
};

TEST_F(SupportFiles, FindsTheFirstCandidateOrTheFirstThatExists) {
    const struct {
        const char16_t* name;
        bool must_exist;
        const char16_t* expected;  // below the scratch folder; null: empty
    } cases[] = {
        {u"vcredist.exe", true, u"Support\\vcredist.exe"},
        {u"directx.exe", true, u"Extra\\directx.exe"},
        {u"directx.exe", false, u"Support\\directx.exe"},  // the first candidate, without looking
        {u"missing.exe", true, nullptr},
    };
    for (const auto& c : cases) {
        const TLString expected = c.expected ? scratch_.Path(c.expected) : TLString();
        EXPECT_EQ(FindSupportFile(session_, c.name, c.must_exist), expected) << TLString(c.name) << " " << c.must_exist;
    }
    session_.SupportFolders.Clear();
    EXPECT_EQ(FindSupportFile(session_, u"vcredist.exe", false), u"");
}

TEST_F(SupportFiles, ListsThePackagesFolderByFolder) {
    const TLStringArray packages = ListSupportPackages(session_);
    ASSERT_EQ(packages.GetCount(), 2u);
    EXPECT_EQ(packages[0], scratch_.Path(u"Support\\Skins.qvp"));
    EXPECT_EQ(packages[1], scratch_.Path(u"Extra\\Plugins.qvp"));
    session_.SupportFolders.Clear();
    EXPECT_EQ(ListSupportPackages(session_).GetCount(), 0u);
}

}  // namespace
