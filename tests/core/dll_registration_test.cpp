// Registering the test COM server in process, with RegSvr32 and through the package installer, checked
// by the registry value the server writes when it is registered.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>

#include "core/process/tl_process_info_block.h"
#include "core/windows/library_loader.h"
#include "core/windows/run_program.h"
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

    EXPECT_TRUE(tlwin::RegisterInProcess(Server()));
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

// The installer searches no DLL in the current directory or its own folder; a server that loads a
// sibling by bare name still registers, and the sibling's folder is searched only while it does.
TEST_F(RegistrationTest, InProcessFindsTheSiblingsAServerLoadsByBareName) {
    tlwin::RestrictDllSearchPath();
    for (const char16_t* name : {u"SiblingComServer.dll", u"ComServerHelper.dll"})
        ASSERT_TRUE(
            scratch_.CopyIn(tltest::BuildPath(u"tests/engine/fixtures/") + name, TLString(u"sibling folder\\") + name));
    EXPECT_TRUE(tlwin::RegisterInProcess(scratch_.Path(u"sibling folder\\SiblingComServer.dll")));
    TLString path;
    EXPECT_TRUE(Registered(&path));
    EXPECT_EQ(path, u"sibling");

    wchar_t before[MAX_PATH + 1];
    GetCurrentDirectoryW(MAX_PATH + 1, before);
    SetCurrentDirectoryW(scratch_.Path(u"sibling folder").wc());
    HMODULE helper = LoadLibraryW(L"ComServerHelper.dll");
    SetCurrentDirectoryW(before);
    EXPECT_EQ(helper, nullptr) << "the folder is still searched";
    if (helper) FreeLibrary(helper);
}

TEST_F(RegistrationTest, InProcessFailsWithoutALoadableServer) {
    ASSERT_TRUE(scratch_.WriteFile(u"broken.dll", "not a DLL"));
    EXPECT_FALSE(tlwin::RegisterInProcess(scratch_.Path(u"broken.dll")));
    EXPECT_THAT(tools_.Texts(u"LoadLibrary"),
                ElementsAre(HasSubstr("Loading " + scratch_.Path(u"broken.dll").ToUtf8() + " failed, error: ")));
    // A DLL without the export loads but does not register.
    EXPECT_FALSE(tlwin::RegisterInProcess(tltest::BuildPath(u"tests/engine/fixtures/NoExports.dll")));
    EXPECT_FALSE(Registered());
}

TEST_F(RegistrationTest, RegSvr32RegistersAndUnregisters) {
    EXPECT_TRUE(tlwin::RegisterWithRegSvr32(Server(), true, true));
    EXPECT_TRUE(Registered());
    EXPECT_TRUE(tlwin::RegisterWithRegSvr32(Server(), false, true));
    EXPECT_FALSE(Registered());

    wchar_t windows[MAX_PATH + 1];
    const TLString regsvr32 =
        TLString(windows, GetWindowsDirectoryW(windows, MAX_PATH + 1)) + u"\\system32\\RegSvr32.exe";
    const std::string launch = "Filename: " + regsvr32.ToUtf8() + " / Parameters: /s ";
    const std::string server = "\"" + Server().ToUtf8() + "\"";
    EXPECT_THAT(tools_.Texts(u"RunProgram"), testing::Contains(launch + server));
    EXPECT_THAT(tools_.Texts(u"RunProgram"), testing::Contains(launch + "/u " + server));
}

// The package installer is the installed product's: the folder the process information block names.
std::unique_ptr<TLProcessInfoBlock> BlockWithInstallFolder(const TLString& folder) {
    auto block = TLProcessInfoBlock::Open(0x7FFE0000u | (GetCurrentProcessId() & 0xFFFFu));
    if (block) block->SetString(TLProcessInfoBlock::kInstallFolder, folder);
    return block;
}

TEST_F(RegistrationTest, ThroughThePackageInstallerOfTheInstalledProduct) {
    const TLString product = scratch_.Path(u"Tonehall\\");
    ASSERT_TRUE(scratch_.CopyIn(tltest::BuildPath(u"distribution/Tunevault/PackageInstaller.exe"),
                                u"Tonehall\\PackageInstaller.exe"));
    // Without the trailing backslash too.
    const auto block = BlockWithInstallFolder(scratch_.Path(u"Tonehall"));
    ASSERT_NE(block, nullptr);

    EXPECT_TRUE(tlwin::RegisterThroughPackageInstaller(*block, Server(), true));
    EXPECT_TRUE(Registered());
    EXPECT_TRUE(tlwin::RegisterThroughPackageInstaller(*block, Server(), false));
    EXPECT_FALSE(Registered());
    EXPECT_TRUE(tlwin::RunPackageInstaller(*block, u"/FinishInstall"));

    const std::string server = Server().ToUtf8();
    EXPECT_EQ(tltest::ReadFileBytes(product + u"PackageInstaller.log"),
              "/RegDLL " + server + "\r\n/UnRegDLL " + server + "\r\n/FinishInstall\r\n");
}

TEST_F(RegistrationTest, NoPackageInstallerNoRun) {
    for (const TLString& folder : {scratch_.Path(u"empty\\"), TLString()}) {
        const auto block = BlockWithInstallFolder(folder);
        ASSERT_NE(block, nullptr);
        EXPECT_FALSE(tlwin::RunPackageInstaller(*block, u"/FinishInstall"));
        EXPECT_FALSE(tlwin::RegisterThroughPackageInstaller(*block, Server(), true));
    }
    EXPECT_TRUE(tools_.Texts(u"RunProgram").empty());
}

}  // namespace
