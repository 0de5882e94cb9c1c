// Every service answers the way the installer can live with when the tools library is missing, and
// also when it is there but lacks the service: English text, the caller's defaults, no log line,
// settings that read their defaults and refuse writes.
#include <gtest/gtest.h>

#include "core/tools/tools.h"
#include "tests/support/serviceless_tools.h"

namespace {

// A library that offers nothing at all.
class NoServices final : public tltest::ServicelessTools {};

class ToolsFallback : public ::testing::TestWithParam<bool> {
protected:
    ToolsFallback() {
        if (GetParam()) tools::SetInterface(&serviceless_);
    }
    ~ToolsFallback() override { tools::SetInterface(nullptr); }

    NoServices serviceless_;
};

TEST_P(ToolsFallback, AnswersWithEnglishTextAndDefaults) {
    EXPECT_EQ(tools::Translate(u"Install Error"), u"Install Error");
    EXPECT_EQ(tools::Translate(TLString()), u"");
    EXPECT_EQ(tools::ProductString(u"/*/General/MegaSkinKey", u"Standard View Skin 2"), u"Standard View Skin 2");
    EXPECT_EQ(tools::ProductInteger(u"/*/Installer/PromoCount", 7), 7);
    EXPECT_EQ(tools::ProductItem(3), u"");
    EXPECT_EQ(tools::LauncherFileName(), u"");
    EXPECT_EQ(tools::MainProgramFileName(), u"");
    EXPECT_FALSE(tools::ProductFeature(173));
    EXPECT_EQ(tools::ProductInfo(), nullptr);
    // Nowhere to log to: these must simply return.
    tools::Log(u"Test", u"goes nowhere");
    tools::LogFormat(u"Test", u"%s %d", TLString(u"goes nowhere"), 1);
}

TEST_P(ToolsFallback, SettingsReadDefaultsAndRefuseWrites) {
    tools::Settings opened[] = {tools::OpenSettingsSection(u"Installer"), tools::OpenRegistryKey(nullptr, u"Key")};
    for (tools::Settings& settings : opened) {
        EXPECT_FALSE(settings.IsOpen());
        EXPECT_EQ(settings.GetInteger(u"Count", 42), 42);
        EXPECT_EQ(settings.GetString(u"Install Directory", u"C:\\Fallback\\"), u"C:\\Fallback\\");
        EXPECT_FALSE(settings.SetInteger(u"Count", 1));
        EXPECT_FALSE(settings.SetString(u"Install Directory", u"C:\\", tltools::ISettings::kExpandableString));
        EXPECT_FALSE(settings.DeleteValue(u"Count"));
    }
}

INSTANTIATE_TEST_SUITE_P(LibraryMissingOrWithoutServices, ToolsFallback, ::testing::Bool(),
                         [](const auto& info) { return std::string(info.param ? "WithoutServices" : "NoLibrary"); });

}  // namespace
