// Player plug-in libraries built for the tests, registered into the product's settings under Wine: the
// records each kind leaves, and the refusals with their messages and without a record.

#include <gtest/gtest.h>

#include "package/plugins/install_wa_plugin.h"
#include "tests/support/product_tools.h"
#include "tests/support/recording_prompts.h"
#include "tests/support/win_test_support.h"

namespace {

class PluginRegistrationTest : public ::testing::Test {
protected:
    static TLString Plugin(std::u16string_view name) { return tltest::BuildPath(u"tests/package/") + name; }
    bool Register(const TLString& path, bool quiet = false) {
        return package::CInstallWAPlugin(prompts, notes).Register(path, quiet);
    }
    static TLString Key(std::u16string_view section) { return TLString(tltest::kProductSettingsKey) + u"\\" + section; }
    static TLString String(std::u16string_view section, std::u16string_view name) {
        TLString value = u"<missing>";
        tltest::ReadRegistryString(HKEY_CURRENT_USER, Key(section), name, &value);
        return value;
    }
    static DWORD Number(std::u16string_view section, std::u16string_view name) {
        DWORD value = 0xFFFFFFFF;
        tltest::ReadRegistryDword(HKEY_CURRENT_USER, Key(section), name, &value);
        return value;
    }
    static bool Exists(std::u16string_view section) {
        HKEY key = nullptr;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, Key(section).wc(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
        RegCloseKey(key);
        return true;
    }

    tltest::ProductTools tools;
    tltest::RecordingPrompts prompts;
    tlwin::IChangeNotes& notes = tlwin::NoChangeNotes();
};

TEST_F(PluginRegistrationTest, InputPluginRecordedForEachExtensionWithItsBookkeeping) {
    const TLString path = Plugin(u"in_night.dll");
    ASSERT_TRUE(tltest::WriteRegistryString(HKEY_CURRENT_USER, Key(u"Plugins\\Input\\nit"), u"strPath", u"C:\\old.dll"));
    ASSERT_TRUE(Register(path));
    for (std::u16string_view section : {u"Plugins\\Input\\nit", u"Plugins\\Input\\nt2"}) {
        SCOPED_TRACE(TLString(section).ToUtf8());
        EXPECT_EQ(String(section, u"Path"), path);
        EXPECT_EQ(String(section, u"Plugin Description"), u"Night decoder");
        EXPECT_EQ(String(section, u"File Description"), u"Night files");
        EXPECT_EQ(String(section, u"Name"), u"Night decoder");
        EXPECT_EQ(Number(section, u"IVersion"), 4u);
        EXPECT_EQ(String(section, u"strPath"), u"<missing>");
    }
    EXPECT_EQ(String(u"Plugins\\Uninstall\\in_night.dll", u"Path"), path);
    EXPECT_EQ(String(u"Plugins\\Uninstall\\in_night.dll", u"Sections"), u"Plugins\\Input\\nit|Plugins\\Input\\nt2");
    EXPECT_TRUE(prompts.asked.empty());
}

TEST_F(PluginRegistrationTest, OtherKindsWriteTheirGroups) {
    ASSERT_TRUE(Register(Plugin(u"dsp_echo.dll")));
    EXPECT_EQ(String(u"Plugins\\DSP\\Echo Chamber", u"Path"), Plugin(u"dsp_echo.dll"));
    EXPECT_EQ(String(u"Plugins\\DSP\\Echo Chamber", u"Description"), u"Echo Chamber");
    EXPECT_EQ(Number(u"Plugins\\DSP\\Echo Chamber", u"IVersion"), 1u);

    ASSERT_TRUE(Register(Plugin(u"vst_hall.dll")));
    EXPECT_EQ(String(u"Plugins\\DSP\\vst_hall", u"Description"), u"vst_hall (VST Plugin)");

    ASSERT_TRUE(Register(Plugin(u"gir_pad.dll")));
    EXPECT_EQ(String(u"Plugins\\RemoteControl\\Remote Pad", u"Version"), u"1.4");
    EXPECT_EQ(String(u"Plugins\\RemoteControl\\Remote Pad", u"Filename"), Plugin(u"gir_pad.dll"));
    EXPECT_EQ(Number(u"Plugins\\RemoteControl\\Remote Pad", u"GirderPlugin"), 1u);
    EXPECT_EQ(String(u"Plugins\\Uninstall\\gir_pad.dll", u"Sections"), u"Plugins\\RemoteControl\\Remote Pad");
    EXPECT_TRUE(prompts.asked.empty());
}

TEST_F(PluginRegistrationTest, RefusalsShowTheirMessageAndLeaveNoRecord) {
    const struct {
        TLString path;
        bool quiet;
        TLString message;  // empty: nothing shown
    } cases[] = {
        {Plugin(u"in_old.dll"), false,
         u"The input plugin 'in_old.dll' is not the correct version.\r\n\r\nPlugin version: 3\r\nRequired version: 4"},
        {Plugin(u"in_old.dll"), true, u""},
        {Plugin(u"vis_glow.dll"), true, u"Winamp 2.x visualization plug-ins are not supported."},
        {tltest::BuildPath(u"tests/engine/fixtures/NoExports.dll"), false,
         u"Unsupported plugin type.  The plugin can not be installed."},
        {Plugin(u"missing.dll"), false, TLString(u"Cannot load plug-in.\r\n\r\n") + Plugin(u"missing.dll")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path.ToUtf8());
        prompts.asked.clear();
        EXPECT_FALSE(Register(c.path, c.quiet));
        if (c.message.empty()) {
            EXPECT_TRUE(prompts.asked.empty());
        } else {
            ASSERT_EQ(prompts.asked.size(), 1u);
            EXPECT_EQ(prompts.asked[0].text, c.message);
        }
    }
    EXPECT_FALSE(Exists(u"Plugins"));
}

}  // namespace
