// The registry writes at the end of the copy phase that can fail without stopping the install: the
// uninstall entry and the installations record. A failure leaves a line in the log that names what
// is missing, never a silent gap.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/installation_record.h"
#include "core/windows/fault_seam.h"
#include "engine/uninstall/uninstall_entry.h"
#include "tests/support/recording_tools.h"
#include "tests/support/win_test_support.h"

namespace {

constexpr char16_t kEntry[] = u"Tonehall Failure Test";

bool Mentions(const std::vector<std::string>& texts, const std::string& part) {
    for (const std::string& text : texts)
        if (text.find(part) != std::string::npos) return true;
    return false;
}

class UninstallEntryFailure : public ::testing::Test {
protected:
    engine::UninstallFacts facts_{u"Tonehall", u"https://www.corvane.example/tonehall", u"C:\\T\\", u"27.0.0.1",
                                  u"C:\\T\\application.ico"};
    tltest::RegistryCleanup entry_{HKEY_LOCAL_MACHINE, TLString(engine::kUninstallRootKey) + kEntry};
    tltest::RecordingTools tools_;
};

TEST_F(UninstallEntryFailure, AKeyThatCannotBeMadeIsLoggedAndNothingIsWritten) {
    {
        const tlwin::PlantedFault denied(tlwin::FaultCall::kRegistryWrite, ERROR_ACCESS_DENIED);
        engine::WriteUninstallEntry(kEntry, facts_);
    }
    const std::vector<std::string> texts = tools_.Texts(u"WriteUninstallEntry");
    EXPECT_TRUE(Mentions(texts, "The uninstall entry cannot be written (error 5 opening")) << texts.size();
    TLString name;
    EXPECT_FALSE(tltest::ReadRegistryString(HKEY_LOCAL_MACHINE, TLString(engine::kUninstallRootKey) + kEntry,
                                            u"DisplayName", &name));
}

// The key and two values are written, the third value is refused: the log names it.
TEST_F(UninstallEntryFailure, AValueThatCannotBeWrittenIsNamedInTheLog) {
    {
        const tlwin::PlantedFault third_value(tlwin::FaultCall::kRegistryWrite, ERROR_ACCESS_DENIED, 3);
        engine::WriteUninstallEntry(kEntry, facts_);
    }
    const std::vector<std::string> texts = tools_.Texts(u"WriteUninstallEntry");
    EXPECT_TRUE(Mentions(texts, "The uninstall entry's value \"URLUpdateInfo\" cannot be written (error 5)"))
        << (texts.empty() ? std::string() : texts[0]);
    TLString name;
    EXPECT_TRUE(tltest::ReadRegistryString(HKEY_LOCAL_MACHINE, TLString(engine::kUninstallRootKey) + kEntry,
                                           u"DisplayName", &name));
}

// Without the tools library's registry service and settings, the record and the remembered folder are
// missing; the install goes on and the log says what is missing.
TEST(InstallationRecordFailure, EveryPartNotWrittenIsLogged) {
    const tltest::RecordingTools tools;
    tltest::ScratchFolder scratch;
    InstallSession session;
    session.SetDestinationFolder(scratch.Path(u"dest\\"));
    ASSERT_TRUE(tltest::MakeFolders(session.DestinationFolder()));
    TLStringArray copied;
    EXPECT_TRUE(installation::RegisterInstallation(session, scratch.Path(u"dist\\"), nullptr, copied));
    const std::vector<std::string> texts = tools.Texts(u"RegisterInstallation");
    for (const char* part :
         {"The installations record cannot be written: Software\\C. Orvane\\Tone Core\\Installations",
          "The installer setting \"Install Directory\" cannot be written"})
        EXPECT_TRUE(Mentions(texts, part)) << part;
}

}  // namespace
