// What the shortcuts page proposes, over new and existing installations and the setup modes, and
// on which Windows versions it offers Quick Launch.
#include "wizard/rules/shortcut_rules.h"

#include <gtest/gtest.h>

namespace {

using wizard_rules::ShortcutChoices;

TEST(ShortcutRules, Proposal) {
    const struct {
        bool installed, portable, express;
        int64_t stored;
        ShortcutChoices expected;
    } cases[] = {
        {false, false, false, -1, {true, true, true}},
        // The same version again with Custom: nothing ticked; with Express only a Start menu that
        // was made for another version.
        {true, false, false, 26, {false, false, false}},
        {true, false, true, 26, {true, false, false}},
        {true, false, true, 27, {false, false, false}},
        {true, true, false, -1, {true, true, true}},
        // A Start menu already made for this version is left alone even on a new installation.
        {false, false, false, 27, {false, true, true}},
    };
    for (const auto& c : cases) {
        const wizard_rules::ShortcutFacts facts{c.installed, c.portable, c.express, c.stored, 27};
        EXPECT_EQ(wizard_rules::ProposeShortcuts(facts), c.expected)
            << c.installed << c.portable << c.express << " " << c.stored;
    }
}

TEST(ShortcutRules, QuickLaunchOnlyBeforeVista) {
    const struct {
        uint32_t code;
        bool offered;
    } cases[] = {{0, true}, {1006, true}, {1007, true}, {1008, false}, {1012, false}, {1999, false}, {2000, true}};
    for (const auto& c : cases) EXPECT_EQ(wizard_rules::QuickLaunchOffered(c.code), c.offered) << c.code;
}

}  // namespace
