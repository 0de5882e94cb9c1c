// What a request to close the wizard says and does, by the page the wizard is on.
#include <gtest/gtest.h>

#include "wizard/rules/cancel_rules.h"

namespace {

TEST(CancelRules, BeforeTheInstallationTheWizardAsksAndYesCancels) {
    for (int index = 0; index < 4; ++index) {
        SCOPED_TRACE(index);
        const auto message = wizard_rules::CloseRequestMessageFor(index, u"Tonehall");
        EXPECT_EQ(message.title, TLString(u"Confirm Cancellation"));
        EXPECT_EQ(message.text, TLString(u"Are you sure you want to cancel Tonehall installation?"));
        EXPECT_TRUE(message.asks_yes_no);
        EXPECT_TRUE(wizard_rules::CloseRequestCancels(index, true));
        EXPECT_FALSE(wizard_rules::CloseRequestCancels(index, false));
    }
}

TEST(CancelRules, FromTheCopyPageOnItOnlySaysItIsTooLate) {
    for (int index = 4; index < 8; ++index) {
        SCOPED_TRACE(index);
        const auto message = wizard_rules::CloseRequestMessageFor(index, u"Tonehall");
        EXPECT_EQ(message.title, TLString(u"Cancel Unavailable"));
        EXPECT_EQ(message.text, TLString(u"Tonehall installation can no longer be canceled.\r\n\r\n"
                                         u"Once installation has completed, you can uninstall using Control Panel > "
                                         u"Add or Remove Programs."));
        EXPECT_FALSE(message.asks_yes_no);
        EXPECT_FALSE(wizard_rules::CloseRequestCancels(index, true));
    }
}

// The product name goes in after translation, so a name with a "%" stays as it is.
TEST(CancelRules, TheProductNameIsInsertedAsItIs) {
    EXPECT_EQ(wizard_rules::CloseRequestMessageFor(0, u"100% Player").text,
              TLString(u"Are you sure you want to cancel 100% Player installation?"));
}

}  // namespace
