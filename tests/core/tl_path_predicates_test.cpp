#include "core/property/tl_path_predicates.h"

#include <gtest/gtest.h>

namespace {

TEST(PathPredicates, IsXMLFilenameLooksAtTheFirstFifteenCharacters) {
    struct Case {
        std::u16string_view text;
        bool xml;
    };
    const Case cases[] = {
        {u"<XMLFN version=\"1.0\"><Item Name=\"Filename\">a</Item></XMLFN>", true},
        {u"<xmlfn VERSION=", true},
        {u"<XMLFN version", false},
        {u" <XMLFN version=", false},
        {u"<XMLPH version=\"1.0\">", false},
        {u"", false},
    };
    for (const Case& c : cases) EXPECT_EQ(IsXMLFilename(c.text), c.xml) << TLString(c.text);
}

TEST(PathPredicates, IsPlainLocalPathRejectsEveryOtherKindOfName) {
    struct Case {
        std::u16string_view text;
        bool plain;
    };
    const Case cases[] = {
        {u"C:\\a.mp3", true},
        {u"\\\\server\\share\\a.mp3", true},
        {u"", false},
        {u"(0x1234ABCD):\\Music\\a.mp3", false},  // a volume given by its serial
        {u"(0x1234ABCD):\\", true},               // 14 characters: too short to be one
        {u"(0x1234ABC):\\Music\\a.mp3", true},    // the closing parenthesis is not at 11
        {u"http://host/a.mp3", false},
        {u"C:\\Library\\Main.tvlb", false},
        {u"C:\\a.tltv", false},
        {u"C:\\guide.tvgd\\x", false},
        {u"C:\\a.TVLB", true},
        {u"(CD:Track 1", false},
        {u"(CD):Track 1", true},
        {u"(Install Drive):\\a.mp3", true},  // not upper-case letters alone
        {u"():x", true},
        {u"(ABC", true},
        {u"<xmlph VERSION=\"1.0\">", false},
        {u"<XMLFN version=\"1.0\">", true},
    };
    for (const Case& c : cases) EXPECT_EQ(IsPlainLocalPath(c.text), c.plain) << TLString(c.text);
}

TEST(PathPredicates, ExpandInstallDriveReplacesThePrefixOnceByTheProgramFolderDrive) {
    struct Case {
        std::u16string_view path;
        std::u16string_view program_folder;
        bool expanded;
        std::u16string_view result;
    };
    const Case cases[] = {
        {u"(Install Drive):\\Music\\a.mp3", u"D:\\Program Files\\Tonehall\\", true, u"D:\\Music\\a.mp3"},
        {u"(install drive):\\(Install Drive):", u"e:\\x", true, u"e:\\(Install Drive):"},
        {u"(Install Drive):", u"\\\\server\\share\\Tonehall\\", true, u"\\\\server\\share"},
        {u"C:\\Music\\a.mp3", u"D:\\Tonehall\\", false, u"C:\\Music\\a.mp3"},
        {u" (Install Drive):\\a", u"D:\\", false, u" (Install Drive):\\a"},
        // Without a drive to put in, the path is left alone rather than cut to "\Music...".
        {u"(Install Drive):\\Music", u"", false, u"(Install Drive):\\Music"},
        {u"(Install Drive):\\Music", u"Tonehall\\", false, u"(Install Drive):\\Music"},
        {u"(Install Drive):\\Music", u"\\\\server", false, u"(Install Drive):\\Music"},
    };
    for (const Case& c : cases) {
        TLString path(c.path);
        EXPECT_EQ(ExpandInstallDrive(path, c.program_folder), c.expanded) << TLString(c.path);
        EXPECT_EQ(path, c.result);
    }
}

}  // namespace
