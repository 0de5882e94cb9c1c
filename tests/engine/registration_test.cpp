// Registering the test COM server in process, with RegSvr32 and through the package installer, checked
// by the registry value the server writes when it is registered.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "engine/process/run_program.h"
#include "tests/engine/fixtures/com_server_key.h"
#include "tests/support/recording_tools.h"
#include "tests/support/win_test_support.h"

namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

class RegistrationTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(scratch_.CopyIn(tltest::BuildPath(u"tests/engine/fixtures/TestComServer.dll"),
                                    u"server folder\\TestComServer.dll"));
    }
    TLString Server() const { return scratch_.Path(u"server folder\\TestComServer.dll"); }
    bool Registered(TLString* path = nullptr, TLString* directory = nullptr) const {
        TLString value;
        const bool found =
            tltest::ReadRegistryString(HKEY_CURRENT_USER, tltest::kComServerKey, tltest::kComServerPathValue, &value);
        if (path) *path = value;
        if (directory)
            tltest::ReadRegistryString(HKEY_CURRENT_USER, tltest::kComServerKey, tltest::kComServerDirectoryValue,
                                       directory);
        return found;
    }

    tltest::RecordingTools tools_;
    tltest::ScratchFolder scratch_;
    tltest::RegistryCleanup cleanup_{HKEY_CURRENT_USER, tltest::kComServerKey};
};

TEST_F(RegistrationTest, InProcessRunsInTheServersFolderAndRestoresTheCurrentDirectory) {
    wchar_t before[MAX_PATH + 1];
    GetCurrentDirectoryW(MAX_PATH + 1, before);

    EXPECT_TRUE(tlproc::RegisterInProcess(Server()));
    TLString path, directory;
    ASSERT_TRUE(Registered(&path, &directory));
    EXPECT_TRUE(path.EqualsNoCase(Server()));
    EXPECT_TRUE(directory.EnsureTrailingBackslash().EqualsNoCase(scratch_.Path(u"server folder\\")));

    wchar_t after[MAX_PATH + 1];
    GetCurrentDirectoryW(MAX_PATH + 1, after);
    EXPECT_EQ(TLString(after), TLString(before));
    // The server is unloaded again: it can be deleted.
    EXPECT_TRUE(DeleteFileW(Server().wc()));
}

TEST_F(RegistrationTest, InProcessFailsWithoutALoadableServer) {
    ASSERT_TRUE(scratch_.WriteFile(u"broken.dll", "not a DLL"));
    EXPECT_FALSE(tlproc::RegisterInProcess(scratch_.Path(u"broken.dll")));
    EXPECT_THAT(tools_.Texts(u"LoadLibrary"),
                ElementsAre(HasSubstr("Loading " + scratch_.Path(u"broken.dll").ToUtf8() + " failed, error: ")));
    // A DLL without the export loads but does not register.
    EXPECT_FALSE(tlproc::RegisterInProcess(tltest::BuildPath(u"tests/engine/fixtures/NoExports.dll")));
    EXPECT_FALSE(Registered());
}

TEST_F(RegistrationTest, RegSvr32RegistersAndUnregisters) {
    EXPECT_TRUE(tlproc::RegisterWithRegSvr32(Server(), true, true));
    EXPECT_TRUE(Registered());
    EXPECT_TRUE(tlproc::RegisterWithRegSvr32(Server(), false, true));
    EXPECT_FALSE(Registered());

    wchar_t windows[MAX_PATH + 1];
    const TLString regsvr32 =
        TLString(windows, GetWindowsDirectoryW(windows, MAX_PATH + 1)) + u"\\system32\\RegSvr32.exe";
    const std::string launch = "Filename: " + regsvr32.ToUtf8() + " / Parameters: /s ";
    const std::string server = "\"" + Server().ToUtf8() + "\"";
    EXPECT_THAT(tools_.Texts(u"RunProgram"), testing::Contains(launch + server));
    EXPECT_THAT(tools_.Texts(u"RunProgram"), testing::Contains(launch + "/u " + server));
}

TEST_F(RegistrationTest, ThroughThePackageInstallerOfTheProductFolder) {
    const TLString product = scratch_.Path(u"Tonehall\\");
    ASSERT_TRUE(scratch_.CopyIn(tltest::BuildPath(u"distribution/Tunevault/PackageInstaller.exe"),
                                u"Tonehall\\PackageInstaller.exe"));

    EXPECT_TRUE(tlproc::RegisterThroughPackageInstaller(product, Server(), true));
    EXPECT_TRUE(Registered());
    EXPECT_TRUE(tlproc::RegisterThroughPackageInstaller(product, Server(), false));
    EXPECT_FALSE(Registered());
    EXPECT_TRUE(tlproc::RunPackageInstaller(product, u"/FinishInstall"));

    const std::string server = Server().ToUtf8();
    EXPECT_EQ(tltest::ReadFileBytes(product + u"PackageInstaller.log"),
              "/RegDLL " + server + "\r\n/UnRegDLL " + server + "\r\n/FinishInstall\r\n");
}

TEST_F(RegistrationTest, NoPackageInstallerNoRun) {
    EXPECT_FALSE(tlproc::RunPackageInstaller(scratch_.Path(u"empty\\"), u"/FinishInstall"));
    EXPECT_FALSE(tlproc::RunPackageInstaller(TLString(), u"/FinishInstall"));
    EXPECT_FALSE(tlproc::RegisterThroughPackageInstaller(scratch_.Path(u"empty\\"), Server(), true));
    EXPECT_TRUE(tools_.Texts(u"RunProgram").empty());
}

}  // namespace
