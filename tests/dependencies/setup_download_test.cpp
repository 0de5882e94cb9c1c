// A dependency's set-up program fetched over real HTTP from the loopback server: every way the
// download can go wrong ends in its text and leaves no file; only a complete download is run.
#include <gtest/gtest.h>

#include "engine/dependencies/dependency_context.h"
#include "engine/dependencies/install_dependency.h"
#include "engine/dependencies/setup_download.h"
#include "engine/dependencies/setup_file.h"
#include "engine/pending/pending_operations.h"
#include "tests/dependencies/dependency_test_support.h"

namespace {

using tltest::ServedFiles;
using tltest::TestProgress;

class SetupDownload : public ::testing::Test {
protected:
    // Nothing of a download may stay behind under the target's name or the partial file's.
    void ExpectNoFile(const TLString& target) {
        EXPECT_FALSE(tltest::FileExists(target)) << target.ToUtf8();
        EXPECT_FALSE(tltest::FileExists(target + u".download")) << target.ToUtf8();
    }

    ServedFiles served_;
};

TEST_F(SetupDownload, OnlyACompleteAnswerBecomesAFile) {
    const std::string right_sum = served_.SetupSha256();
    const struct {
        const char* name;
        const char16_t* path;
        std::string sha256;
        const char* error;  // null: the download succeeds
    } cases[] = {
        {"served whole", u"files/d3dx943.exe", "", nullptr},
        {"after a redirect", u"redirect/files/d3dx943.exe", "", nullptr},
        {"with the expected check sum", u"files/d3dx943.exe", right_sum, nullptr},
        {"without Content-Length", u"nolength/d3dx943.exe", "", "Internet error."},
        {"cut half way", u"cut/d3dx943.exe", "", "Internet error."},
        {"not found", u"status/404/d3dx943.exe", "", "Server returned: 404 Not Found"},
        {"server error", u"status/500/d3dx943.exe", "", "Server returned: 500 Internal Server Error"},
        {"another check sum", u"files/d3dx943.exe", std::string(64, '0'), "its SHA-256 check sum differs"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        engine::SetupDownload download;
        download.address = served_.server().Address(c.path);
        download.target = served_.scratch().Path(u"Support\\d3dx943.exe");
        download.expected_sha256 = TLString::FromUtf8(c.sha256);
        TestProgress progress;
        TLString error;
        const bool downloaded = engine::DownloadSetupFile(download, progress, error);
        EXPECT_EQ(downloaded, c.error == nullptr) << error.ToUtf8();
        if (c.error) {
            EXPECT_TRUE(error.StartsWith(u"Failed to download from \n" + download.address + u"\n")) << error.ToUtf8();
            EXPECT_NE(error.ToUtf8().find(c.error), std::string::npos) << error.ToUtf8();
            ExpectNoFile(download.target);
        } else {
            EXPECT_TRUE(tltest::ReadFileBytes(download.target) == served_.setup_bytes());
            EXPECT_EQ(progress.position, 100);
            EXPECT_TRUE(DeleteFileW(download.target.wc()));
        }
    }
}

TEST_F(SetupDownload, NoServerAnsweringIsAServerError) {
    engine::SetupDownload download;
    download.address = u"http://127.0.0.1:1/d3dx943.exe";
    download.target = served_.scratch().Path(u"Support\\d3dx943.exe");
    TestProgress progress;
    TLString error;
    EXPECT_FALSE(engine::DownloadSetupFile(download, progress, error));
    EXPECT_TRUE(error.StartsWith(u"Failed to download from \nhttp://127.0.0.1:1/d3dx943.exe\nServer returned: "))
        << error.ToUtf8();
    ExpectNoFile(download.target);
}

TEST_F(SetupDownload, CancelDuringASlowAnswerDeletesThePartialFile) {
    engine::SetupDownload download;
    download.address = served_.server().Address(u"slow/data.bin");
    download.target = served_.scratch().Path(u"Support\\data.bin");
    TestProgress progress;
    progress.cancel_at_position = 3;
    TLString error;
    EXPECT_FALSE(engine::DownloadSetupFile(download, progress, error));
    EXPECT_EQ(error.ToUtf8(), "Downloading of setup file was canceled.");
    EXPECT_LT(progress.position, 100);
    ExpectNoFile(download.target);
}

// The dependency's set-up file: taken from a support folder as it is, or downloaded into the first
// support folder and run; a download that fails runs nothing.
class SetupFile : public SetupDownload {
protected:
    engine::DependencyContext Context(TestProgress& progress, const char16_t* base_path) {
        engine::DependencyContext context(progress, pending_);
        context.support_folders.Add(served_.scratch().Path(u"Support\\"));
        context.support_folders.Add(served_.scratch().Path(u"More Support\\"));
        context.download_base = served_.server().Address(base_path);
        context.system_folder = served_.scratch().Path(u"System\\");
        context.os_code = 1012;
        return context;
    }
    TLString InFirstSupportFolder(const char16_t* name) { return served_.scratch().Path(u"Support\\") + name; }

    engine::PendingOperations pending_;
};

TEST_F(SetupFile, ASetupFileInASupportFolderRunsWithNoRequest) {
    ASSERT_TRUE(served_.scratch().WriteFile(u"More Support\\d3dx943.exe", served_.setup_bytes()));
    TestProgress progress;
    engine::DependencyContext context = Context(progress, u"files/");
    EXPECT_TRUE(engine::InstallSetupFile(context, u"d3dx943.exe", TLStringArray(), u"DirectX components"));
    EXPECT_TRUE(tltest::FileExists(served_.scratch().Path(u"More Support\\d3dx943.exe.ran")));
    EXPECT_TRUE(served_.server().Requests().empty());
    EXPECT_EQ(progress.texts, std::vector<std::string>{"Installing DirectX components..."});
}

TEST_F(SetupFile, AMissingSetupFileIsDownloadedThenRun) {
    TestProgress progress;
    engine::DependencyContext context = Context(progress, u"files");
    EXPECT_TRUE(engine::InstallSetupFile(context, u"d3dx943.exe", TLStringArray(), u"DirectX components"));
    EXPECT_EQ(served_.server().Requests(), std::vector<std::string>{"GET /files/d3dx943.exe"});
    EXPECT_TRUE(tltest::ReadFileBytes(InFirstSupportFolder(u"d3dx943.exe")) == served_.setup_bytes());
    EXPECT_TRUE(tltest::FileExists(InFirstSupportFolder(u"d3dx943.exe.ran")));
    EXPECT_EQ(progress.texts, (std::vector<std::string>{"Downloading DirectX components from server...",
                                                        "Installing DirectX components..."}));
    // The header looked like a download while it ran, and is the step's own again.
    ASSERT_EQ(progress.headings.size(), 2u);
    EXPECT_EQ(progress.headings.back(),
              "Installing Dependencies / Please wait while Install Wizard installs dependencies.");
    EXPECT_FALSE(progress.cancel_enabled);
}

TEST_F(SetupFile, AFailedDownloadRunsNothingAndLeavesNoFile) {
    for (const char16_t* base : {u"cut/", u"nolength/", u"status/404/"}) {
        SCOPED_TRACE(TLString(base).ToUtf8());
        TestProgress progress;
        engine::DependencyContext context = Context(progress, base);
        EXPECT_FALSE(engine::InstallSetupFile(context, u"d3dx943.exe", TLStringArray(), u"DirectX components"));
        EXPECT_FALSE(context.error_text.empty());
        ExpectNoFile(InFirstSupportFolder(u"d3dx943.exe"));
        EXPECT_FALSE(tltest::FileExists(InFirstSupportFolder(u"d3dx943.exe.ran")));
        // The DirectX components are wanted but not essential: the install goes on.
        engine::CInstallDirectX directx;
        EXPECT_TRUE(directx.Install(context));
        ExpectNoFile(InFirstSupportFolder(u"d3dx943.exe"));
    }
}

TEST_F(SetupFile, DirectXSetupRunsOnlyWhereTheComponentsAreMissing) {
    const struct {
        const char* name;
        bool d3dx_present;
        uint32_t os_code;
        bool runs;
    } cases[] = {
        {"d3dx9_43.dll in the system folder", true, 1012, false},
        {"Windows 2000", false, 1005, false},
        {"Windows 10 without the components", false, 1012, true},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        const auto& c = cases[i];
        SCOPED_TRACE(c.name);
        const std::u16string system = u"System" + std::u16string(1, static_cast<char16_t>(u'0' + i)) + u"\\";
        if (c.d3dx_present) {
            ASSERT_TRUE(served_.scratch().WriteFile(system + u"d3dx9_43.dll", "MZ"));
        }
        TestProgress progress;
        engine::DependencyContext context = Context(progress, u"files/");
        context.system_folder = served_.scratch().Path(system);
        context.os_code = c.os_code;
        engine::CInstallDirectX directx;
        EXPECT_TRUE(directx.Install(context));
        EXPECT_EQ(tltest::FileExists(InFirstSupportFolder(u"d3dx943.exe.ran")), c.runs);
        EXPECT_EQ(served_.server().Requests().size(), c.runs ? 1u : 0u);
    }
}

}  // namespace
