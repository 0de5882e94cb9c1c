// A wizard window that cannot be made ends the run with a message and a log line that say why,
// never silently: the person would otherwise see nothing, and a distributor's script would take the
// run for a success.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/startup_steps.h"
#include "core/session/install_session.h"
#include "core/tools/tools.h"
#include "core/windows/fault_seam.h"
#include "core/windows/system_message.h"
#include "tests/support/serviceless_tools.h"

namespace {

// The message service and the logger of the tools library, keeping what they are given.
class ObservedTools final : public tltest::ServicelessTools,
                            private tltools::IMessageService,
                            private tltools::ILogger {
public:
    ObservedTools() { tools::SetInterface(this); }
    ~ObservedTools() { tools::SetInterface(nullptr); }

    tltools::IMessageService* GetMessageService(int) override { return this; }
    tltools::ILogger* GetLogger(int channel) override { return channel == 0 ? this : nullptr; }

    struct Message {
        std::string title, text;
        int buttons;
    };
    std::vector<Message> messages;
    std::vector<std::string> log;

private:
    int Show(void*, const TLString& title, const TLString& text, int buttons, const TLStringArray*) override {
        messages.push_back({title.ToUtf8(), text.ToUtf8(), buttons});
        return kResultOk;
    }
    void Log(int, const TLString& function, const TLString& text) override {
        log.push_back(function.ToUtf8() + ": " + text.ToUtf8());
    }
};

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TEST(WizardStart, AWindowThatCannotBeMadeIsReportedWithItsCause) {
    ObservedTools observed;
    {
        tlwin::PlantedFault no_window(tlwin::FaultCall::kWindowCreate, ERROR_NOT_ENOUGH_MEMORY);
        InstallSession session;
        startup::RunWizard(session, u"C:\\");
    }
    ASSERT_EQ(observed.messages.size(), 1u);
    const ObservedTools::Message& message = observed.messages[0];
    EXPECT_EQ(message.title, "Install Error");
    EXPECT_EQ(message.buttons, tltools::IMessageService::kOk);
    // What happened with its cause in the system's words and as a number, then what to do.
    const std::string lead = "The install wizard could not start: ";
    const size_t cause_ends = message.text.find(" (error 8).\r\n\r\nNothing has been installed.");
    EXPECT_EQ(message.text.rfind(lead, 0), 0u) << message.text;
    EXPECT_TRUE(cause_ends != std::string::npos && cause_ends > lead.size()) << message.text;

    bool logged = false;
    for (const std::string& line : observed.log) {
        logged = logged || (Contains(line, "The install wizard could not start: ") && Contains(line, "(error 8)"));
        EXPECT_FALSE(Contains(line, "The wizard ended with result")) << line;
    }
    EXPECT_TRUE(logged);
}

// Windows refuses the window without an error when there is no display (under Wine: no X display
// could be reached when the desktop was made); "The operation completed successfully" would be no
// reason at all.
TEST(WizardStart, TheCauseIsWindowsWordsOrTheMissingDisplay) {
    ObservedTools observed;  // the translator of a run without one gives the texts as they are
    const std::string no_error = startup::WizardStartCause(ERROR_SUCCESS).ToUtf8();
    EXPECT_TRUE(Contains(no_error, "no display is available")) << no_error;
    const std::string memory = startup::WizardStartCause(ERROR_NOT_ENOUGH_MEMORY).ToUtf8();
    EXPECT_EQ(memory, tlwin::SystemMessage(ERROR_NOT_ENOUGH_MEMORY).ToUtf8().substr(0, memory.size()));
    EXPECT_FALSE(memory.empty());
    EXPECT_NE(memory.back(), '.');
}

}  // namespace
