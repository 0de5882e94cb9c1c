#include "core/tools/message_log.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/tools/install_prompts.h"
#include "core/tools/tools.h"

namespace {

using tltools::IMessageService;

TEST(MessageLogTest, OneLineWithTheAnswerNamed) {
    TLStringArray named;
    named.Add(u"Retry");
    named.Add(u"Cancel");
    struct Case {
        TLString text;
        int answer;
        const TLStringArray* names;
        std::u16string_view line;
    };
    const Case cases[] = {
        {u"What happened.\r\n\r\nWhat to do.", IMessageService::kResultOk, nullptr,
         u"\"Title\": What happened. What to do. -> \"OK\""},
        {u"Close it?", IMessageService::kResultNo, nullptr, u"\"Title\": Close it? -> \"No\""},
        {u"Line\nnext\r\n", IMessageService::kResultYes, nullptr, u"\"Title\": Line next -> \"Yes\""},
        {u"Copy failed.", IMessageService::kResultFirstNamed + 1, &named, u"\"Title\": Copy failed. -> \"Cancel\""},
        // A service answering outside the buttons it was given is still logged, by number.
        {u"x", IMessageService::kResultFirstNamed + 5, &named, u"\"Title\": x -> \"answer 105\""},
    };
    for (const Case& c : cases) EXPECT_EQ(tools::DescribeMessageBox(u"Title", c.text, c.answer, c.names), c.line);
}

class RecordingCopy final : public tools::ILogCopy {
public:
    void Write(int, std::u16string_view function, const TLString& text) override {
        lines.push_back(TLString(function) + u": " + text);
    }
    std::vector<TLString> lines;
};

// Before the tools library loads (and when it cannot), the named log file is the only log there is.
TEST(MessageLogTest, UnansweredQuestionReachesTheLogCopyWithoutTheToolsLibrary) {
    RecordingCopy copy;
    tools::SetLogCopy(&copy);
    tools::SafeAnswerPrompts prompts;
    const int answer = prompts.Ask(tools::TranslatedPrompt(u"Install Error", {u"A file could not be copied.\r\n\r\n"},
                                                           IMessageService::kOk, {u"Retry", u"Cancel"}));
    tools::SetLogCopy(nullptr);
    EXPECT_EQ(answer, IMessageService::kResultFirstNamed + 1);
    ASSERT_EQ(copy.lines.size(), 1u);
    EXPECT_NE(copy.lines[0].view().find(u"\"Install Error\": A file could not be copied. -> \"Cancel\""),
              std::u16string_view::npos)
        << copy.lines[0].ToUtf8();
    EXPECT_NE(copy.lines[0].view().find(u"Nobody is there to answer"), std::u16string_view::npos);
}

}  // namespace
