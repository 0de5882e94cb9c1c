// Install.xml found and its folders resolved in a distribution folder, in process against the real
// file system: which file is read, where relative folders point, which folders are dropped.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "app/install_configuration.h"
#include "core/session/install_session.h"
#include "tests/support/win_test_support.h"

namespace {

std::string Settings(const std::string& settings) {
    return "<?xml version=\"1.0\"?>\r\n<TLIC version=\"1.0\">\r\n<Settings>" + settings + "</Settings>\r\n</TLIC>\r\n";
}

struct Layout {
    const char* name;
    // Files written below the scratch folder; "{root}" in the content stands for the scratch folder.
    std::vector<std::pair<const char16_t*, std::string>> files;
    std::vector<const char16_t*> folders;
    // Expected, below the scratch folder ("" for none).
    std::vector<const char16_t*> extra_support_folders;
    bool allow_downgrade;
    const char16_t* media;
};

// The installer always lies in "media\dist\" below the scratch folder.
const Layout kLayouts[] = {
    {"no file keeps the defaults", {}, {}, {}, true, u""},
    {"the file beside the installer wins over the parent's",
     {{u"media\\dist\\Install.xml", Settings("<AllowDowngrade>0</AllowDowngrade>")},
      {u"media\\Install.xml", Settings("<AllowDowngrade>1</AllowDowngrade><BundledMedia>{root}M</BundledMedia>")}},
     {u"M"},
     {},
     false,
     u""},
    {"the parent's file when none lies beside",
     {{u"media\\Install.xml", Settings("<AllowDowngrade>0</AllowDowngrade>")}},
     {},
     {},
     false,
     u""},
    {"relative folders resolve against the folder of the file that was read",
     {{u"media\\Install.xml",
       Settings("<SupportFiles>Extras</SupportFiles><BundledMedia>..\\media\\Songs</BundledMedia>")}},
     {u"media\\Extras", u"media\\Songs"},
     {u"media\\Extras\\"},
     true,
     u"media\\Songs\\"},
    {"absolute folders are taken as they are",
     {{u"media\\dist\\Install.xml",
       Settings("<SupportFiles>{root}Shared</SupportFiles><BundledMedia>{root}Media\\</BundledMedia>")}},
     {u"Shared", u"Media"},
     {u"Shared\\"},
     true,
     u"Media\\"},
    {"folders that do not exist are dropped",
     {{u"media\\dist\\Install.xml",
       Settings("<SupportFiles>Nowhere</SupportFiles><BundledMedia>{root}NoMedia</BundledMedia>")}},
     {},
     {},
     true,
     u""},
    {"a folder text naming a file is no folder",
     {{u"media\\dist\\Install.xml", Settings("<SupportFiles>Install.xml</SupportFiles>")}},
     {},
     {},
     true,
     u""},
    {"a file with a low version is not read",
     {{u"media\\dist\\Install.xml",
       "<TLIC version=\"0.9\"><Settings><AllowDowngrade>0</AllowDowngrade></Settings></TLIC>"}},
     {},
     {},
     true,
     u""},
};

TEST(InstallConfiguration, IsFoundAndResolvedAsTheDistributionLaysItOut) {
    for (const Layout& layout : kLayouts) {
        SCOPED_TRACE(layout.name);
        tltest::ScratchFolder scratch;
        const TLString root = scratch.path();
        const TLString setup_folder = scratch.Path(u"media\\dist\\");
        ASSERT_TRUE(tltest::MakeFolders(setup_folder));
        for (const auto& [file, content] : layout.files) {
            TLString text = TLString::FromUtf8(content);
            text.Replace(u"{root}", root);
            ASSERT_TRUE(scratch.WriteFile(file, text.ToUtf8()));
        }
        for (const char16_t* folder : layout.folders) ASSERT_TRUE(tltest::MakeFolders(scratch.Path(folder)));

        InstallSession session;
        LoadInstallConfiguration(setup_folder, session);
        ASSERT_EQ(session.SupportFolders.GetCount(), 1 + layout.extra_support_folders.size());
        EXPECT_EQ(session.SupportFolders[0], setup_folder + u"Support\\");
        for (size_t i = 0; i < layout.extra_support_folders.size(); ++i)
            EXPECT_TRUE(session.SupportFolders[i + 1].EqualsNoCase(scratch.Path(layout.extra_support_folders[i])))
                << session.SupportFolders[i + 1];
        EXPECT_EQ(session.LibraryFolder, setup_folder + u"Library\\");
        EXPECT_EQ(session.AllowDowngrade, layout.allow_downgrade);
        const TLString media = *layout.media ? scratch.Path(layout.media) : TLString();
        EXPECT_TRUE(session.BundledMediaFolder.EqualsNoCase(media)) << session.BundledMediaFolder;
    }
}

}  // namespace
