// The plug-in step's decisions: whether the driver is installed, removed or left, where its ".inf"
// lies, and the progress range.

#include <gtest/gtest.h>

#include "engine/plugins/plugin_step_rules.h"

namespace {

using engine::DriverAction;
using engine::DriverFacts;

TEST(PluginStepRules, DriverIsInstalledOnceRemovedWithNoDriverAndLeftWhenPortable) {
    const DriverFacts wanted{false, false, true, 1012};
    struct Case {
        const char* what;
        DriverFacts facts;
        std::optional<int> revision;
        DriverAction expected;
    };
    const Case cases[] = {
        {"first install", wanted, std::nullopt, DriverAction::kInstall},
        {"older revision", wanted, 6, DriverAction::kInstall},
        {"this revision already", wanted, 7, DriverAction::kNothing},
        {"NoDriver", {true, false, true, 1012}, 7, DriverAction::kRemove},
        {"edition without the driver", {false, false, false, 1012}, std::nullopt, DriverAction::kRemove},
        {"before Vista", {false, false, true, 1007}, std::nullopt, DriverAction::kRemove},
        {"Vista", {false, false, true, 1008}, std::nullopt, DriverAction::kInstall},
        {"portable", {false, true, true, 1012}, 7, DriverAction::kNothing},
        {"portable with NoDriver", {true, true, true, 1012}, 7, DriverAction::kNothing},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(engine::DecideDriver(c.facts, c.revision), c.expected);
    }
}

TEST(PluginStepRules, InfPathFollowsTheWindowsVersion) {
    EXPECT_EQ(engine::DriverInfPath(u"C:\\P\\", 1012), u"C:\\P\\Drivers\\WDM\\Win10\\CorvaneWDMDriver.inf");
    EXPECT_EQ(engine::DriverInfPath(u"C:\\P\\", 1999), u"C:\\P\\Drivers\\WDM\\Win10\\CorvaneWDMDriver.inf");
    EXPECT_EQ(engine::DriverInfPath(u"C:\\P\\", 1011), u"C:\\P\\Drivers\\WDM\\Win8\\CorvaneWDMDriver.inf");
    EXPECT_EQ(engine::DriverInfPath(u"C:\\P\\", 2000), u"C:\\P\\Drivers\\WDM\\Win8\\CorvaneWDMDriver.inf");
}

TEST(PluginStepRules, RangeCountsTheStepsAndIsNeverBelowOne) {
    EXPECT_EQ(engine::PluginStepRange(false, false, 0), 1);
    EXPECT_EQ(engine::PluginStepRange(false, true, 0), 2);
    EXPECT_EQ(engine::PluginStepRange(false, true, 2), 4);
    EXPECT_EQ(engine::PluginStepRange(false, false, 3), 4);
    EXPECT_EQ(engine::PluginStepRange(true, false, 0), 1);
    EXPECT_EQ(engine::PluginStepRange(true, false, 4), 4);
}

}  // namespace
