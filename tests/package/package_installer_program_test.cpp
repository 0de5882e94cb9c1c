// PackageInstaller.exe installs a package file given on its command line, as the ".qvp" association
// starts it, into the product folder it lies in.

#include <gtest/gtest.h>

#include "core/process/tl_shared_memory.h"
#include "package/install/install_package.h"
#include "tests/archive/zip_builder.h"
#include "tests/support/product_tools.h"
#include "tests/support/win_test_support.h"

namespace {

class PackageInstallerProgramTest : public ::testing::Test {
protected:
    TLString Program() const { return tools.scratch().Path(u"Tunevault\\PackageInstaller.exe"); }
    TLString Package(std::u16string_view name) const { return tools.scratch().Path(u"Downloads\\") + name; }

    tltest::ProductTools tools;
};

TEST_F(PackageInstallerProgramTest, TheAssociationsCommandLineInstallsTheDoubleClickedPackageAndRecordsIt) {
    // The product's install record, as its install left it.
    const TLString record = tools.scratch().Path(u"Tunevault\\Install Record.tlr");
    ASSERT_TRUE(tools.scratch().WriteFile(u"Tunevault\\Install Record.tlr", "TLIR0001\r\n"));
    ASSERT_TRUE(tools.scratch().WriteFile(
        u"Downloads\\night skin.zip", tltest::BuildZipText({{"main.xml", "<QVMS name=\"Night\"/>"}, {"a.png", "png"}})));
    ASSERT_TRUE(tools.scratch().WriteFile(
        u"Downloads\\night skin.qvp",
        "<QVPF version=\"2.0\"><Package><Action>INSTALLSKIN</Action><Name>Night</Name></Package>"
        "<Actions><FileEntry><File>night skin.zip</File><Action><Command>REGISTRY</Command>"
        "<Param>HKEY_CURRENT_USER|Software\\C. Orvane\\Tonehall 27\\Skins|Night|[PROGRAMPATH]Skins</Param>"
        "</Action></FileEntry></Actions></QVPF>"));
    // "PackageInstaller.exe /Install "%L"" with the file's long name in place of %L.
    const tltest::ProgramResult result =
        tltest::RunAndWait(Program(), TLString::Format(u"/Install \"%s\"", Package(u"night skin.qvp")));
    ASSERT_TRUE(result.finished);
    EXPECT_EQ(result.exit_code, 0u);
    const TLString skin = tools.scratch().Path(u"Tunevault\\Skins\\Standard View\\Night\\");
    EXPECT_EQ(tltest::ReadFileBytes(skin + u"a.png"), "png");
    // What the uninstaller will take away again.
    const std::string listed = tltest::ReadFileBytes(record);
    for (const TLString& line :
         {u"created-folder\t" + skin + u"\r\n", u"created-file\t" + skin + u"a.png\r\n",
          TLString(u"registry-value\tHKCU\tSoftware\\C. Orvane\\Tonehall 27\\Skins\tNight\t-\t")})
        EXPECT_NE(listed.find((u"\r\n" + line).ToUtf8()), std::string::npos) << line.ToUtf8() << "\n" << listed;
}

TEST_F(PackageInstallerProgramTest, AQuietInstallThatFailsAsksNobodyAndSignalsTheFailure) {
    ASSERT_TRUE(tools.scratch().WriteFile(
        u"Downloads\\broken.qvp",
        "<QVPF version=\"2\"><Package><Action>NONE</Action><Name>Broken</Name><HasActions>1</HasActions></Package>"
        "<Actions><FileEntry><File>missing.exe</File><Action><Command>EXECUTE</Command></Action></FileEntry>"
        "</Actions></QVPF>"));
    TLSharedMemory signal;
    ASSERT_TRUE(signal.Open(package::kInstallPackageError, 4));
    signal.data()[0] = 0;
    const tltest::ProgramResult result =
        tltest::RunAndWait(Program(), TLString::Format(u"/Q /Install \"%s\"", Package(u"broken.qvp")), 30000);
    ASSERT_TRUE(result.finished);  // no question or message left waiting for a person
    EXPECT_EQ(result.exit_code, 1u);
    EXPECT_EQ(signal.data()[0], 1);
}

}  // namespace
