// The plug-in step run in the test's process against a scratch install folder: the shell extension
// registered only by its setting and only when its copy is in place, and the media-server edition
// installing its service instead. The package installer stand-in logs every command line it gets into
// "PackageInstaller.log" beside itself; a copy of it named "GantryControl.exe" does the same.

#include <gtest/gtest.h>

#include "engine/plugins/plugin_phase.h"
#include "tests/support/product_tools.h"
#include "tests/support/recording_prompts.h"
#include "tests/support/win_test_support.h"

namespace {

// The bar is not looked at here (its arithmetic has its own tests).
class NoProgress final : public engine::IInstallProgress {
public:
    void SetHeading(const TLString&, const TLString&) override {}
    void SetRange(int) override {}
    void SetPosition(int) override {}
    void SetText(const TLString&) override {}
    void DispatchMessages() override {}
    void SetCancelEnabled(bool) override {}
    bool CancelRequested() const override { return false; }
};

class PluginPhaseTest : public ::testing::Test {
protected:
    PluginPhaseTest() {
        const TLString installer = tools.scratch().Path(u"Tunevault\\PackageInstaller.exe");
        for (const char16_t* name : {u"PackageInstaller.exe", u"GantryControl.exe"})
            EXPECT_TRUE(CopyFileW(installer.wc(), (tools.InstallFolder() + name).wc(), FALSE));
    }
    // Runs the step and returns the command lines the two programs got.
    std::string Run(bool media_server, bool shell_integration, bool shell_extension_in_place) {
        const TLString log = tools.InstallFolder() + u"PackageInstaller.log";
        DeleteFileW(log.wc());
        engine::PendingOperations pending;
        pending.shell_extension_in_place = shell_extension_in_place;
        engine::PluginPhaseContext context{progress, prompts, pending};
        context.source_folder = tools.scratch().path();
        context.destination = tools.InstallFolder();
        context.media_server_edition = media_server;
        context.shell_integration_enabled = shell_integration;
        context.driver.no_driver = true;
        engine::RunPluginPhase(context);
        return tltest::ReadFileBytes(log);
    }

    tltest::ProductTools tools;
    NoProgress progress;
    tltest::RecordingPrompts prompts;
};

TEST_F(PluginPhaseTest, ShellExtensionByItsSettingAndItsCopyOrTheServiceOfTheMediaServerEdition) {
    const struct {
        bool media_server;
        bool shell_integration;
        bool in_place;
        bool registered;  // "/RegDLL Shell Extensions"
        bool service;     // "GantryControl.exe /Install"
    } cases[] = {
        {false, true, true, true, false},
        {false, false, true, false, false},
        {false, true, false, false, false},  // its copy waits for the next start
        {true, true, true, false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.media_server << c.shell_integration << c.in_place);
        const std::string calls = Run(c.media_server, c.shell_integration, c.in_place);
        EXPECT_EQ(calls.find("/RegDLL Shell Extensions\r\n") != std::string::npos, c.registered) << calls;
        EXPECT_EQ(calls.find("\n/Install\r\n") != std::string::npos || calls.starts_with("/Install\r\n"), c.service)
            << calls;
        // The driver is not wanted: removed in the normal edition only.
        EXPECT_EQ(calls.find("/RemoveWDMDriver") != std::string::npos, !c.media_server) << calls;
    }
    EXPECT_TRUE(prompts.asked.empty());
}

}  // namespace
