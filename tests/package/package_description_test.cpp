// Package files of both forms read into the description the installer acts on.

#include <gtest/gtest.h>

#include <map>

#include "package/description/package_description.h"

namespace {

using package::FileAction;
using package::FileEntry;
using package::PackageDescription;

bool ReadXml(std::u16string_view text, PackageDescription& description) {
    TLXMLDocument document;
    document.SetDocument(text);
    return package::ReadXmlPackage(document, description);
}

TEST(PackageDescription, XmlFormGivesEveryField) {
    PackageDescription description;
    ASSERT_TRUE(ReadXml(uR"(<?xml version="1.0"?>
<qvpf Version="2.0">
  <Package>
    <Action>UNZIPDIR | SAVE_DIR_STRUCT|</Action>
    <Name>Blue &amp; Gold</Name><URL>http://example.com/blue</URL><Version>1.4</Version>
    <HasActions>1</HasActions>
  </Package>
  <Actions>
    <FileEntry><File>in_blue.dll</File><FileType>DLL</FileType>
      <Action><Command>COPY_PLUGINDIR</Command><Param></Param></Action>
      <Action><Command>REG_WA_IN</Command><Param>quiet</Param></Action>
    </FileEntry>
    <Other/>
    <FileEntry><File>http://example.com/extra.zip</File><FileType>URL</FileType></FileEntry>
  </Actions>
</qvpf>)",
                        description));
    EXPECT_TRUE(description.xml_form);
    EXPECT_EQ(description.package_actions, (TLStringArray{u"UNZIPDIR", u"SAVE_DIR_STRUCT"}));
    EXPECT_EQ(description.name, u"Blue & Gold");
    EXPECT_EQ(description.url, u"http://example.com/blue");
    EXPECT_EQ(description.version, u"1.4");
    EXPECT_TRUE(description.has_file_actions);
    EXPECT_EQ(description.state, package::kVersionRead);
    const std::vector<FileEntry> expected = {
        {u"in_blue.dll", u"DLL", {{u"COPY_PLUGINDIR", u""}, {u"REG_WA_IN", u"quiet"}}},
        {u"http://example.com/extra.zip", u"URL", {}},
    };
    EXPECT_EQ(description.entries, expected);
}

TEST(PackageDescription, XmlRootAndVersionDecideWhetherItIsAPackage) {
    struct Case {
        const char16_t* text;
        bool accepted;
    };
    const Case cases[] = {
        {uR"(<QVPF version="2.0"/>)", true},
        {uR"(<QVPF version="2"/>)", true},
        {uR"(<QVPF version="2.0."/>)", true},
        {uR"(<QVPF version="1.0"/>)", false},
        {uR"(<QVPF version="3.0"/>)", false},
        {uR"(<QVPF version="20.1"/>)", false},
        {uR"(<QVPF version="2.0b"/>)", false},
        {uR"(<QVPF/>)", false},
        {uR"(<Package version="2.0"/>)", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(TLString(c.text).ToUtf8());
        PackageDescription description;
        EXPECT_EQ(ReadXml(c.text, description), c.accepted);
    }
}

TEST(PackageDescription, XmlWithoutActionsOrHasActionsHasOnlyPackageActions) {
    PackageDescription description;
    ASSERT_TRUE(ReadXml(uR"(<QVPF version="2"><Package><Action>INSTALLSKIN</Action>
        <HasActions>yes</HasActions></Package></QVPF>)",
                        description));
    EXPECT_EQ(description.package_actions, TLStringArray{u"INSTALLSKIN"});
    EXPECT_TRUE(description.entries.empty());
    EXPECT_FALSE(description.has_file_actions);
    EXPECT_TRUE(description.name.empty());
    EXPECT_EQ(description.state, package::kRootAccepted);
}

// An INI file as GetPrivateProfileStringW would read it: section and key in any letter case.
package::ProfileValue Ini(std::map<std::u16string, std::u16string> values) {
    return [values = std::move(values)](std::u16string_view section, std::u16string_view key) {
        const TLString wanted = TLString(section) + u"/" + key;
        for (const auto& [name, value] : values)
            if (wanted.EqualsNoCase(name)) return std::optional<TLString>(TLString(std::u16string_view(value)));
        return std::optional<TLString>();
    };
}

TEST(PackageDescription, IniFormNumbersFilesAndActionsWithoutGaps) {
    PackageDescription description;
    package::ReadIniPackage(Ini({{u"Package/Action", u"NONE|DONT_CLEANUP"},
                                 {u"Package/ActionOpt", u"opt"},
                                 {u"Action/File1", u"vis.dll"},
                                 {u"Action/File1Action1", u"COPY_VISUALIZATIONS"},
                                 {u"Action/File1Action2", u"EXECUTE setup.exe /S"},
                                 {u"Action/File1Action4", u"DELETE after.gap"},
                                 {u"Action/File3", u"after.gap"}}),
                            description);
    EXPECT_FALSE(description.xml_form);
    EXPECT_EQ(description.package_actions, (TLStringArray{u"NONE", u"DONT_CLEANUP"}));
    EXPECT_EQ(description.action_options, u"opt");
    const std::vector<FileEntry> expected = {
        {u"vis.dll", u"", {{u"COPY_VISUALIZATIONS", u""}, {u"EXECUTE", u"setup.exe /S"}}},
    };
    EXPECT_EQ(description.entries, expected);
    EXPECT_TRUE(description.has_file_actions);
}

TEST(PackageDescription, IniFormWithoutFilesHasNoFileActions) {
    PackageDescription description;
    package::ReadIniPackage(Ini({{u"Package/Action", u"INSTALLMEDIA"}, {u"Action/File2", u"x.mp3"}}), description);
    EXPECT_TRUE(description.entries.empty());
    EXPECT_FALSE(description.has_file_actions);
}

}  // namespace
