// Message boxes as the user answers them: the product's dialog when the tools library is loaded, the
// plain Windows box without it. A second thread finds the box by its title and presses a button.
#include <gtest/gtest.h>

#include "core/tools/message_box.h"
#include "core/tools/module_loader.h"
#include "core/tools/tools.h"
#include "tests/support/dialog_answer.h"
#include "tests/support/win_test_support.h"

namespace {

using tools::IMessageService;

struct AnswerCase {
    const char* name;
    bool with_library;
    int buttons;
    std::vector<const char16_t*> named;
    const char16_t* press;
    int expected;
};

class MessageBoxAnswer : public ::testing::TestWithParam<AnswerCase> {
protected:
    ~MessageBoxAnswer() override { tltools::TLModuleLoader::Get().UnloadAll(); }
};

TEST_P(MessageBoxAnswer, ReturnsTheButtonPressed) {
    const AnswerCase& c = GetParam();
    if (c.with_library) {
        ASSERT_TRUE(tltools::TLModuleLoader::Get().LoadFrom(tltools::kToolsSlot,
                                                            tltest::BuildPath(u"distribution/Tunevault/")));
    }
    const TLString title = TLString::Format(u"Question %s", TLString::FromUtf8(c.name));
    tltest::DialogAnswer user(title.view(), c.press);
    TLStringArray named;
    for (const char16_t* name : c.named) named.Add(name);
    const int answer = tools::ShowMessage(nullptr, title, u"Something happened.\r\n\r\nDo something.", c.buttons,
                                          named.IsEmpty() ? nullptr : &named);
    EXPECT_TRUE(user.Answered());
    EXPECT_NE(user.text().Find(u"Something happened."), TLString::npos) << user.text();
    EXPECT_EQ(answer, c.expected);
}

constexpr int kFirst = IMessageService::kResultFirstNamed;

INSTANTIATE_TEST_SUITE_P(
    Boxes, MessageBoxAnswer,
    ::testing::Values(AnswerCase{"ProductOk", true, IMessageService::kOk, {}, u"OK", IMessageService::kResultOk},
                      AnswerCase{"ProductNo", true, IMessageService::kYesNo, {}, u"No", IMessageService::kResultNo},
                      AnswerCase{"ProductYes", true, IMessageService::kYesNo, {}, u"Yes", IMessageService::kResultYes},
                      AnswerCase{"ProductCancel", true, 0, {u"Retry", u"Cancel"}, u"Cancel", kFirst + 1},
                      AnswerCase{"ProductRestart", true, 0, {u"Restart", u"Cancel"}, u"Restart", kFirst},
                      AnswerCase{"PlainOk", false, IMessageService::kOk, {}, u"OK", IMessageService::kResultOk},
                      AnswerCase{"PlainNo", false, IMessageService::kYesNo, {}, u"No", IMessageService::kResultNo},
                      AnswerCase{"PlainRetry", false, 0, {u"Retry", u"Cancel"}, u"Retry", kFirst},
                      AnswerCase{"PlainCancel", false, 0, {u"Retry", u"Cancel"}, u"Cancel", kFirst + 1},
                      // Names the plain box has no set for become OK and Cancel for the first and last name.
                      AnswerCase{"PlainRestartAsOk", false, 0, {u"Restart", u"Cancel"}, u"OK", kFirst},
                      AnswerCase{"PlainRestartCancelled", false, 0, {u"Restart", u"Cancel"}, u"Cancel", kFirst + 1}),
    [](const auto& info) { return std::string(info.param.name); });

// Translated messages: the title, every part and every button go through the translator; without
// the library they stay English.
TEST(TranslatedMessage, JoinsItsPartsInOrder) {
    const TLString title(u"Install Error");
    tltest::DialogAnswer user(title.view(), u"OK");
    tools::ShowTranslatedMessage(nullptr, title,
                                 {u"Install Wizard encountered a critical error and must close.\r\n\r\n",
                                  u"It is recommended that you reboot your computer and install again."},
                                 IMessageService::kOk);
    EXPECT_TRUE(user.Answered());
    EXPECT_NE(user.text().Find(u"Install Wizard encountered a critical error and must close.\r\n\r\nIt is recommended"),
              TLString::npos)
        << user.text();
}

}  // namespace
