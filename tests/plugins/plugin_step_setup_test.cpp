// Setup.exe /Silent with packages in the distribution's support folders and with the audio driver:
// what the plug-in step leaves in the install folder and in the product's settings.

#include <gtest/gtest.h>

#include "tests/app/distribution_fixture.h"
#include "tests/archive/zip_builder.h"
#include "tests/copy/copy_test_support.h"
#include "tests/support/loopback_http_server.h"
#include "tests/support/product_tools.h"
#include "tests/support/win_test_support.h"

namespace {

constexpr const char16_t* kDestination = tltest::InstalledProductCleanup::kDestination;

// A package that copies its file into the plug-in folder, and does what `more_actions` add.
std::string CopyPackage(const char* name, const char* file, const std::string& more_actions = "") {
    return std::string("<QVPF version=\"2.0\"><Package><Action>NONE</Action><Name>") + name +
           "</Name><HasActions>1</HasActions></Package><Actions><FileEntry><File>" + file +
           "</File><Action><Command>COPY_PLUGINDIR</Command><Param></Param></Action>" + more_actions +
           "</FileEntry></Actions></QVPF>";
}

class PluginStepSetup : public ::testing::Test {
protected:
    PluginStepSetup() {
        EXPECT_TRUE(distribution.scratch().WriteFile(
            u"Support\\night.qvp",
            CopyPackage("Night", "night.dll",
                        "<Action><Command>REGISTRY</Command><Param>HKEY_CURRENT_USER|Software\\C. Orvane\\Tonehall "
                        "27\\Packages|Night|[PROGRAMPATH]Plugins</Param></Action>")));
        EXPECT_TRUE(distribution.scratch().WriteFile(u"Support\\night.dll", "night"));
        // Found below a subfolder too.
        EXPECT_TRUE(distribution.scratch().WriteFile(u"Support\\Extras\\day.qvp", CopyPackage("Day", "day.dll")));
        EXPECT_TRUE(distribution.scratch().WriteFile(u"Support\\Extras\\day.dll", "day"));
    }
    // Runs Setup.exe silently and returns the package installer's calls during the run.
    std::string Install(std::u16string_view switches = u"") {
        const TLString log = TLString(kDestination) + u"PackageInstaller.log";
        const size_t before = tltest::ReadFileBytes(log).size();
        tltest::StartedProgram setup(distribution.SetupExe(), TLString(u"/Silent /NoRun ") + switches);
        EXPECT_TRUE(setup.Wait(120000).finished);
        EXPECT_TRUE(tltest::LogContains(setup, u"RunPluginPhase: Finish"));
        return tltest::ReadFileBytes(log).substr(before);
    }
    // The sample edition with the driver feature, and the driver's files in its program folder.
    void WithDriver() {
        const TLString product = distribution.Path(u"Tunevault\\Product.xml");
        std::string xml = tltest::ReadFileBytes(product);
        const std::string off = "<Feature number=\"191\">no</Feature>";
        ASSERT_NE(xml.find(off), std::string::npos);
        xml.replace(xml.find(off), off.size(), "<Feature number=\"191\">yes</Feature>");
        ASSERT_TRUE(distribution.scratch().WriteFile(u"Tunevault\\Product.xml", xml));
        for (const char16_t* inf : {u"Tunevault\\Drivers\\WDM\\Win8\\CorvaneWDMDriver.inf",
                                    u"Tunevault\\Drivers\\WDM\\Win10\\CorvaneWDMDriver.inf"})
            ASSERT_TRUE(distribution.scratch().WriteFile(inf, "[Version]\r\n"));
    }
    static TLString Setting(std::u16string_view section, std::u16string_view name) {
        TLString value;
        tltest::ReadRegistryString(HKEY_CURRENT_USER, TLString(tltest::kProductSettingsKey) + u"\\" + section, name,
                                   &value);
        return value;
    }
    static void SetShellIntegration(DWORD enabled) {
        const TLString key = TLString(tltest::kProductSettingsKey) + u"\\Properties";
        ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, key.wc(), L"General - Enable Shell Integration", REG_DWORD,
                                  &enabled, sizeof enabled),
                  ERROR_SUCCESS);
    }
    static bool DriverRevision(DWORD* revision) {
        return tltest::ReadRegistryDword(HKEY_CURRENT_USER, TLString(tltest::kProductSettingsKey) + u"\\Properties",
                                         u"WDM Driver Installed Version", revision);
    }

    tltest::InstalledProductCleanup installed;
    tltest::RegistryCleanup settings{HKEY_CURRENT_USER, tltest::kProductSettingsKey};
    tltest::PendingRenamesGuard renames;
    tltest::Distribution distribution;
};

TEST_F(PluginStepSetup, SupportPackagesAreInstalledAndMarkedAndOneInUseIsStagedForTheNextStart) {
    // A package whose file is fetched by its address.
    ASSERT_TRUE(distribution.scratch().WriteFile(u"Served\\web.dll", "web"));
    const tltest::LoopbackHttpServer server(distribution.scratch().Path(u"Served\\"),
                                            distribution.scratch().Path(u"Server\\"));
    ASSERT_TRUE(server.running());
    ASSERT_TRUE(distribution.scratch().WriteFile(u"Support\\web.qvp",
                                                 CopyPackage("Web", server.Address(u"files/web.dll").ToUtf8().c_str())));
    // Input plug-ins among the program files: one is registered, the one of an older version is passed
    // over without a question, as nobody is there to answer one.
    for (const char16_t* plugin : {u"in_night.dll", u"in_old.dll"})
        ASSERT_TRUE(CopyFileW(tltest::BuildPath(TLString(u"tests/package/") + plugin).wc(),
                              distribution.Path(TLString(u"Tunevault\\Plugins\\") + plugin).wc(), FALSE));

    const std::string calls = Install();
    EXPECT_EQ(Setting(u"Plugins\\Input\\nit", u"Path"), TLString(kDestination) + u"Plugins\\in_night.dll");
    EXPECT_EQ(Setting(u"Plugins\\Uninstall\\in_night.dll", u"Sections"), u"Plugins\\Input\\nit|Plugins\\Input\\nt2");
    EXPECT_EQ(Setting(u"Plugins\\Uninstall\\in_old.dll", u"Path"), u"");
    EXPECT_EQ(tltest::ReadFileBytes(TLString(kDestination) + u"Plugins\\web.dll"), "web");
    const TLString night = TLString(kDestination) + u"Plugins\\night.dll";
    EXPECT_EQ(tltest::ReadFileBytes(night), "night");
    EXPECT_EQ(tltest::ReadFileBytes(TLString(kDestination) + u"Plugins\\day.dll"), "day");
    EXPECT_EQ(Setting(u"Plugins\\System", u"Night"), u"installed");
    EXPECT_EQ(Setting(u"Plugins\\System", u"Day"), u"installed");
    // The sample edition has no driver: an earlier one is removed.
    EXPECT_NE(calls.find("/RemoveWDMDriver"), std::string::npos) << calls;
    // What the packages changed is in the install record, for the uninstaller.
    const std::string record = tltest::ReadFileBytes(TLString(kDestination) + u"Install Record.tlr");
    for (const char* line : {"\r\ncreated-file\tC:\\Program Files\\Tonehall 27\\Plugins\\night.dll\r\n",
                             "\r\ncreated-file\tC:\\Program Files\\Tonehall 27\\Plugins\\day.dll\r\n",
                             "\r\ncreated-file\tC:\\Program Files\\Tonehall 27\\Plugins\\web.dll\r\n",
                             "\r\nregistry-value\tHKCU\tSoftware\\C. Orvane\\Tonehall 27\\Packages\tNight\t-\t",
                             "\r\nregistry-value\tHKCU\tSoftware\\C. Orvane\\Tonehall 27\\Plugins\\System\tDay\t"})
        EXPECT_NE(record.find(line), std::string::npos) << line << "\n" << record;

    HANDLE holder = CreateFileW(night.wc(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    ASSERT_TRUE(distribution.scratch().WriteFile(u"Support\\night.dll", "newer night"));
    tltest::RegistryCleanup marks{HKEY_CURRENT_USER, TLString(tltest::kProductSettingsKey) + u"\\Plugins"};
    Install();
    CloseHandle(holder);
    EXPECT_EQ(tltest::ReadFileBytes(night), "night");
    // The package and its folder wait in the staging folder, under their place in the distribution.
    EXPECT_TRUE(tltest::FileExists(TLString(kDestination) + u"Setup\\Support\\night.qvp"));
    EXPECT_EQ(tltest::ReadFileBytes(TLString(kDestination) + u"Setup\\Support\\night.dll"), "newer night");
    EXPECT_EQ(Setting(u"Plugins\\System", u"Night"), u"installed");
    EXPECT_EQ(tltest::ReadFileBytes(TLString(kDestination) + u"Plugins\\day.dll"), "day");
}

TEST_F(PluginStepSetup, TheDriverIsInstalledOnceAndRemovedWithNoDriverTheShellExtensionByItsSetting) {
    WithDriver();
    SetShellIntegration(1);
    std::string calls = Install();
    EXPECT_NE(calls.find("/InstallWDMDriver C:\\Program Files\\Tonehall 27\\Drivers\\WDM\\"), std::string::npos)
        << calls;
    EXPECT_NE(calls.find("/RegDLL Shell Extensions"), std::string::npos) << calls;
    DWORD revision = 0;
    ASSERT_TRUE(DriverRevision(&revision));
    EXPECT_EQ(revision, 7u);

    {
        // The shell extension in use: its copy waits for the next start, and so does its registration.
        tltest::HeldFile held(TLString(kDestination) + u"TLShellExt.dll");
        ASSERT_TRUE(held.held());
        calls = Install();
    }
    EXPECT_EQ(calls.find("WDMDriver"), std::string::npos) << calls;
    EXPECT_EQ(calls.find("/RegDLL Shell Extensions"), std::string::npos) << calls;

    SetShellIntegration(0);
    calls = Install(u"/NoDriver");
    EXPECT_NE(calls.find("/RemoveWDMDriver"), std::string::npos) << calls;
    EXPECT_FALSE(DriverRevision(&revision));
    EXPECT_EQ(calls.find("/RegDLL Shell Extensions"), std::string::npos) << calls;
}

}  // namespace
