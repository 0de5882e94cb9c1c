// The default settings table as data: sample rows, the identifiers outside it, and that no two
// settings share a name or a preset key.
#include "shell/settings/default_settings_table.h"

#include <gtest/gtest.h>

#include <set>

#include "core/string/tl_string.h"

namespace {

using tlsettings::FindDefaultSetting;
using tlsettings::MachineDefault;

TEST(DefaultSettingsTable, SampleRows) {
    struct Row {
        int id;
        std::u16string_view key, name;
        int int_default;
        std::u16string_view text_default;
        MachineDefault machine;
    };
    const Row rows[] = {
        {0, u"MEDIALOCATION", u"General - Music Location", 0, u"", MachineDefault::kMusicFolder},
        {2, u"MINIMIZETOSYSTRAY", u"General - Minimize To System Tray", 0, u"", MachineDefault::kNone},
        {5, u"ENABLESHELLINTEGRATION", u"General - Enable Shell Integration", 0, u"",
         MachineDefault::kShellHandlerExists},
        {8, u"", u"General - Online Metadata Automatic Ratings Submit", 0, u"", MachineDefault::kNone},
        {9, u"", u"General - Online Metadata Lookup Language", 0, u"en", MachineDefault::kNone},
        {17, u"LIBCONVERSION_ENCODER", u"Library Server Conversion - Encoder", 3, u"", MachineDefault::kNone},
        {21, u"", u"Tagging - Use Sidecar", 0, u"Video;Data", MachineDefault::kNone},
        {55, u"RIP_SOUNDFILE", u"Ripping - Complete Sound File", 0, u"chord.wav", MachineDefault::kNone},
        {77, u"", u"Ripping - Max Combined Processes", 4, u"", MachineDefault::kNone},
        {82, u"", u"Tagging - Sidecar mode", 0, u"1", MachineDefault::kNone},
        {83, u"", u"General - Mouse wheel jump increment", 9, u"", MachineDefault::kNone},
        {86, u"MINIVIEWCLOSEMODE", u"General - Mini View Close Mode", 0, u"", MachineDefault::kNone},
    };
    for (const Row& row : rows) {
        const tlsettings::DefaultSetting* setting = FindDefaultSetting(row.id);
        ASSERT_NE(setting, nullptr) << row.id;
        EXPECT_EQ(setting->install_key, row.key) << row.id;
        EXPECT_EQ(setting->name, row.name) << row.id;
        EXPECT_EQ(setting->int_default, row.int_default) << row.id;
        EXPECT_EQ(setting->text_default, row.text_default) << row.id;
        EXPECT_EQ(setting->machine, row.machine) << row.id;
    }
}

TEST(DefaultSettingsTable, IdentifiersOutsideTheTableHaveNoSetting) {
    EXPECT_EQ(tlsettings::DefaultSettings().size(), 87u);
    for (int id : {-2147483647 - 1, -1, 87, 88, 1000, 2147483647}) EXPECT_EQ(FindDefaultSetting(id), nullptr) << id;
}

TEST(DefaultSettingsTable, NamesAndPresetKeysAreUnique) {
    std::set<std::u16string_view> names, keys;
    for (const tlsettings::DefaultSetting& setting : tlsettings::DefaultSettings()) {
        EXPECT_FALSE(setting.name.empty());
        EXPECT_TRUE(names.insert(setting.name).second) << TLString(setting.name);
        if (!setting.install_key.empty()) {
            EXPECT_TRUE(keys.insert(setting.install_key).second) << TLString(setting.install_key);
        }
    }
}

}  // namespace
