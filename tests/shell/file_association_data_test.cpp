// The file association lists as read from "FileAssociations.xml": which documents are accepted, the
// lists, input plug-in types, overrides, MIME records, and the ProgID of an extension.
#include "shell/associations/file_association_data.h"

#include <gtest/gtest.h>

namespace {

using shell::FileTypeList;

constexpr char16_t kDocument[] =
    u"<qvfa Version=\"1.0\">"
    u"<DescriptionTypes><audio>mp3; .FLAC ;;ogg</audio><Video>mkv</Video></DescriptionTypes>"
    u"<DefaultFileTypes>mp3;flac;mkv</DefaultFileTypes><DEFAULTASSOCFILETYPES>mp3;dat</DEFAULTASSOCFILETYPES>"
    u"<QVTypes>mp3;flac</QVTypes>"
    u"<MimeAssociations><audio Name=\"mpeg\">mp3;mp2</audio><video Name=\"x-matroska\">mkv</video>"
    u"<audio>nameless</audio></MimeAssociations>"
    u"</qvfa>";

TEST(FileAssociationData, AcceptsOnlyQvfaDocumentsOfVersionOneOrLater) {
    const struct {
        std::u16string_view text;
        bool accepted;
    } cases[] = {
        {u"<QVFA version=\"1.0\"/>", true},
        {u"<QVFA version=\"2.5\"></QVFA>", true},
        {u"<QVFA version=\"0.9\"/>", false},
        {u"<QVFA/>", false},
        {u"<QVFB version=\"1.0\"/>", false},
        {u"", false},
        {u"not xml at all", false},
    };
    for (const auto& c : cases) {
        shell::FileAssociationData data;
        EXPECT_EQ(shell::ParseFileAssociations(TLString(c.text), {}, data), c.accepted) << TLString(c.text);
    }
}

TEST(FileAssociationData, ReadsListsAndMimeRecordsWhateverTheLetterCase) {
    shell::FileAssociationData data;
    ASSERT_TRUE(shell::ParseFileAssociations(kDocument, {}, data));
    EXPECT_EQ(data.List(FileTypeList::kAudio), (TLStringArray{u"mp3", u"FLAC", u"ogg"}));
    EXPECT_EQ(data.List(FileTypeList::kDefaultAssocFileTypes), (TLStringArray{u"mp3", u"dat"}));
    EXPECT_TRUE(data.List(FileTypeList::kImage).IsEmpty());
    EXPECT_TRUE(data.Contains(FileTypeList::kAudio, u".flac"));
    EXPECT_EQ(data.DescriptionType(u"MKV"), FileTypeList::kVideo);
    EXPECT_EQ(data.DescriptionType(u"xyz"), std::nullopt);
    ASSERT_EQ(data.mime_records.size(), 2u);
    ASSERT_NE(data.FindMimeOfType(u"mp2"), nullptr);
    EXPECT_EQ(data.FindMimeOfType(u"mp2")->MimeType(), u"audio/mpeg");
    EXPECT_EQ(data.FindMime(u"VIDEO/X-MATROSKA"), &data.mime_records[1]);
    EXPECT_EQ(data.FindMimeOfType(u"ogg"), nullptr);
}

TEST(FileAssociationData, InputPluginsOfTheCurrentInterfaceAddTheirTypes) {
    const std::vector<shell::InputPluginRecord> plugins = {
        {u"ape", u"Monkey", u"Monkey's Audio", 4},
        {u".mp3", u"Other MP3", u"MPEG audio", 4},  // already handled: no second entry in the list
        {u"tst", u"AUDIOTEST", u"Test tone", 4},
        {u"mpp", u"mpp", u"Musepack", 4},
        {u"old", u"Old", u"Old format", 3},
    };
    shell::FileAssociationData data;
    ASSERT_TRUE(shell::ParseFileAssociations(kDocument, plugins, data));
    EXPECT_EQ(data.List(FileTypeList::kQVTypes), (TLStringArray{u"mp3", u"flac", u"ape"}));
    ASSERT_EQ(data.plugin_types.size(), 2u);
    EXPECT_EQ(data.plugin_types[0].type, u"ape");
    EXPECT_EQ(data.plugin_types[0].description, u"Monkey's Audio (Monkey)");
    EXPECT_EQ(data.plugin_types[1].type, u"mp3");
}

TEST(FileAssociationData, TheInstallConfigurationReplacesTheDefaultListsUnlessEmpty) {
    shell::FileAssociationData data;
    ASSERT_TRUE(shell::ParseFileAssociations(kDocument, {}, data));
    shell::OverrideDefaultLists(data, u"wav;mp3", TLString());
    EXPECT_EQ(data.List(FileTypeList::kDefaultFileTypes), (TLStringArray{u"wav", u"mp3"}));
    EXPECT_EQ(data.List(FileTypeList::kDefaultAssocFileTypes), (TLStringArray{u"mp3", u"dat"}));
}

TEST(FileAssociationData, ProgIdOfAnExtension) {
    const struct {
        std::u16string_view extension, special, prog_id;
    } cases[] = {
        {u".mpl", u"", u"Tonehall.27.Playlist"},   {u".MPL", u"", u"Tonehall.27.Playlist"},
        {u".wsz", u"", u"Tonehall.27.Pack"},       {u".XML", u"", u"Tonehall.27.Subscribe"},
        {u".rss", u"", u"Tonehall.27.Subscribe"},  {u".opml", u"", u"Tonehall.27.Subscribe"},
        {u".qva", u".QVA", u"Tonehall.27.Mime"},   {u".qva", u"", u"Tonehall.27.File"},
        {u".mp3", u"", u"Tonehall.27.File"},       {u".xmlx", u"", u"Tonehall.27.File"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(shell::ProgIdForExtension(TLString(c.extension), u"Tonehall.27", TLString(c.special)),
                  TLString(c.prog_id))
            << TLString(c.extension);
}

TEST(FileAssociationData, TypeListText) {
    EXPECT_EQ(TLStringArray::FromList(u" mp3 ;;ogg;"), (TLStringArray{u"mp3", u"ogg"}));
    EXPECT_TRUE(TLStringArray::FromList(TLString()).IsEmpty());
    EXPECT_EQ(shell::JoinTypeList({u"mp3", u"ogg"}), u"mp3;ogg");
    EXPECT_EQ(shell::ExtensionOf(u"mp3"), u".mp3");
    EXPECT_EQ(shell::ExtensionOf(u".mp3"), u".mp3");
}

}  // namespace
