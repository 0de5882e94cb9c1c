// The dependency step: in process, what the switches leave out; in a Setup.exe /Silent run, the
// bundled media in place and named as the startup media, and the DirectX rule against the machine.
#include <gtest/gtest.h>

#include "engine/dependencies/dependency_phase.h"
#include "engine/pending/pending_operations.h"
#include "tests/app/distribution_fixture.h"
#include "tests/dependencies/dependency_test_support.h"

namespace {

constexpr char kHeading[] = "Installing Dependencies / Please wait while Install Wizard installs dependencies.";

TEST(DependencyStep, NoDependenciesAndPortableInstallsOnlySetTheHeading) {
    const struct {
        const char* name;
        bool no_dependencies, portable;
    } cases[] = {{"NoDependencies", true, false}, {"portable", false, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        tltest::ScratchFolder scratch;
        ASSERT_TRUE(scratch.WriteFile(u"Bundled\\Playlist.mpl", "#playlist"));
        tltest::TestProgress progress;
        engine::PendingOperations pending;
        engine::DependencyContext context(progress, pending);
        context.bundled_media_folder = scratch.Path(u"Bundled\\");
        context.destination = scratch.Path(u"Installed\\");
        context.download_base = u"http://127.0.0.1:1/";
        engine::DependencyChoices choices;
        choices.no_dependencies = c.no_dependencies;
        choices.portable = c.portable;
        choices.directx_wanted = true;
        EXPECT_TRUE(engine::RunDependencyPhase(context, choices));
        EXPECT_EQ(progress.headings, std::vector<std::string>{kHeading});
        EXPECT_TRUE(progress.texts.empty());
        EXPECT_FALSE(tltest::FileExists(scratch.Path(u"Installed\\Media\\Playlist.mpl")));
    }
}

TEST(DependencyStep, ACancelledDownloadStopsTheInstallation) {
    tltest::ServedFiles served;
    tltest::TestProgress progress;
    progress.cancel_at_position = 3;
    engine::PendingOperations pending;
    engine::DependencyContext context(progress, pending);
    context.support_folders.Add(served.scratch().Path(u"Support\\"));
    context.download_base = served.server().Address(u"slow/");
    context.system_folder = served.scratch().Path(u"System\\");
    context.os_code = 1012;
    // The slow answer serves the large data file under the set-up program's name.
    ASSERT_TRUE(CopyFileW(served.scratch().Path(u"served\\data.bin").wc(),
                          served.scratch().Path(u"served\\d3dx943.exe").wc(), FALSE));
    engine::DependencyChoices choices;
    choices.directx_wanted = true;
    EXPECT_FALSE(engine::RunDependencyPhase(context, choices));
    EXPECT_EQ(context.error_text.ToUtf8(), "Downloading of setup file was canceled.");
    EXPECT_FALSE(tltest::FileExists(served.scratch().Path(u"Support\\d3dx943.exe")));
    EXPECT_FALSE(tltest::FileExists(served.scratch().Path(u"Support\\d3dx943.exe.download")));
}

bool ReplaceInFile(const TLString& path, const std::string& from, const std::string& to) {
    std::string text = tltest::ReadFileBytes(path);
    const size_t at = text.find(from);
    if (at == std::string::npos) return false;
    text.replace(at, from.size(), to);
    const HANDLE file = CreateFileW(path.wc(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool ok = WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
                    written == text.size();
    CloseHandle(file);
    return ok;
}

TEST(DependencyStep, SilentSetupInstallsTheBundledMediaAndFollowsTheDirectXRule) {
    tltest::InstalledProductCleanup installed;
    tltest::Distribution distribution;
    tltest::ServedFiles served(&distribution.scratch());
    ASSERT_TRUE(distribution.scratch().WriteFile(
        u"Install.xml",
        "<?xml version=\"1.0\"?>\r\n<TLIC version=\"1.0\"><Settings><BundledMedia>Bundled Media</BundledMedia>"
        "</Settings></TLIC>\r\n"));
    ASSERT_TRUE(distribution.scratch().WriteFile(u"Bundled Media\\Playlist.mpl", "#playlist\r\nSong.mp3\r\n"));
    ASSERT_TRUE(distribution.scratch().WriteFile(u"Bundled Media\\Song.mp3", "ID3"));
    const TLString product_xml = distribution.Path(u"Tunevault\\Product.xml");
    ASSERT_TRUE(ReplaceInFile(product_xml, "<Feature number=\"182\">no</Feature>",
                              "<Feature number=\"182\">yes</Feature>"));
    ASSERT_TRUE(ReplaceInFile(product_xml, "https://download.corvane.example/tonehall/27/",
                              served.server().Address(u"files/").ToUtf8()));

    tltest::StartedProgram setup(distribution.SetupExe(), u"/Silent /NoRun");
    ASSERT_TRUE(setup.Wait(120000).finished);
    EXPECT_TRUE(tltest::LogContains(setup, u"RunDependencyPhase: Finish (result: 1)"));

    const TLString media = TLString(tltest::InstalledProductCleanup::kDestination) + u"Media\\";
    EXPECT_EQ(tltest::ReadFileBytes(media + u"Song.mp3"), "ID3");
    EXPECT_TRUE(tltest::FileExists(media + u"Playlist.mpl"));
    TLString startup_media;
    EXPECT_TRUE(tltest::ReadRegistryString(HKEY_CURRENT_USER, u"Software\\C. Orvane\\Tonehall 27\\Properties",
                                           u"Install - Startup Media", &startup_media));
    EXPECT_EQ(startup_media, media + u"Playlist.mpl");

    // Wine may or may not carry the DirectX components: the set-up runs exactly when they are missing.
    wchar_t system[MAX_PATH] = {};
    ASSERT_GT(GetSystemDirectoryW(system, MAX_PATH), 0u);
    const bool present = tltest::FileExists(TLString(system) + u"\\d3dx9_43.dll");
    EXPECT_EQ(tltest::LogContains(setup, u"CInstallDirectX::Install: Not needed"), present);
    EXPECT_EQ(served.server().Requests().size(), present ? 0u : 1u);
    EXPECT_EQ(tltest::FileExists(distribution.Path(u"Support\\d3dx943.exe.ran")), !present);
}

}  // namespace
