// Dotted version comparison and the browser component's pass rule.
#include <gtest/gtest.h>

#include "app/system_checks/browser_check.h"

namespace {

using syschecks::BrowserComponent;
using syschecks::CompareDottedVersions;

TEST(BrowserCheck, ComparesDottedVersionsFieldByField) {
    struct VersionCase {
        const char16_t* a;
        const char16_t* b;
        int order;
    };
    const VersionCase cases[] = {
        {u"9.11.9600.18376", u"9.0.0.0", 1},
        {u"9.0.0.0", u"9.0.0.0", 0},
        {u"9", u"9.0.0.0", 0},
        {u"5.0.0.1", u"5.0.0.0", 1},
        {u"10.0.0.0", u"9.99.99.99", 1},  // numbers, not text
        {u"9.2", u"9.10", -1},
        {u"1.0.0.0", u"5.0.0.0", -1},
        {u"", u"0.0", 0},
        {u"11.0.22000.1", u"11.0.9600.0", 1},
        {u"99999999999999999999999.0", u"1.0", 1},  // saturates, still the greater
    };
    for (const VersionCase& c : cases) {
        EXPECT_EQ(CompareDottedVersions(c.a, c.b), c.order) << TLString(c.a) << " vs " << TLString(c.b);
        EXPECT_EQ(CompareDottedVersions(c.b, c.a), -c.order) << TLString(c.b) << " vs " << TLString(c.a);
    }
}

TEST(BrowserCheck, NeedsTheComponentAtTheMinimumVersionOrLater) {
    EXPECT_TRUE(syschecks::BrowserComponentSufficient(BrowserComponent{true, u"9.0.0.0"}, u"9.0.0.0"));
    EXPECT_TRUE(syschecks::BrowserComponentSufficient(BrowserComponent{true, u"11.0.9600.0"}, u"9.0.0.0"));
    EXPECT_FALSE(syschecks::BrowserComponentSufficient(BrowserComponent{true, u"8.0.7601.17514"}, u"9.0.0.0"));
    EXPECT_FALSE(syschecks::BrowserComponentSufficient(BrowserComponent{false, u"11.0.9600.0"}, u"9.0.0.0"));
}

// Without product information the minimum is the built-in one.
TEST(BrowserCheck, MinimumDefaultsWithoutProductInformation) {
    EXPECT_EQ(syschecks::MinimumBrowserVersion(), u"5.0.0.0");
}

}  // namespace
