// The rules of Install.xml's text: which files count and what their settings say.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "app/install_xml.h"

namespace {

std::string Tlic(const std::string& version_attribute, const std::string& settings) {
    return "<?xml version=\"1.0\"?>\r\n<TLIC" + version_attribute + ">\r\n" + settings + "\r\n</TLIC>\r\n";
}

std::string Downgrade(const std::string& version, const std::string& value) {
    return Tlic(" version=\"" + version + "\"", "<Settings><AllowDowngrade>" + value + "</AllowDowngrade></Settings>");
}

TEST(InstallXml, CountsOnlyARootTlicOfVersionOneOrMoreWithSettings) {
    const struct {
        const char* name;
        std::string text;
        bool accepted;
    } cases[] = {
        {"version 1", Downgrade("1", "0"), true},
        {"version 1.5", Downgrade("1.5", "0"), true},
        {"version 0.9", Downgrade("0.9", "0"), false},
        {"version with spaces around it", Downgrade("  1.0 ", "0"), true},
        {"version with a plus sign", Downgrade("+1.0", "0"), true},
        {"version that is no number", Downgrade("one", "0"), false},
        {"negative version", Downgrade("-2", "0"), false},
        {"no version", Tlic("", "<Settings><AllowDowngrade>0</AllowDowngrade></Settings>"), false},
        {"other root", "<QVPF version=\"1.0\"><Settings><AllowDowngrade>0</AllowDowngrade></Settings></QVPF>", false},
        {"no Settings element", Tlic(" version=\"1.0\"", "<AllowDowngrade>0</AllowDowngrade>"), false},
        {"not XML", "TLIC version=1.0 AllowDowngrade=0", false},
        {"empty file", "", false},
    };
    for (const auto& c : cases) {
        const InstallXmlSettings settings = ReadInstallXml(TLString::FromUtf8(c.text));
        EXPECT_EQ(settings.accepted, c.accepted) << c.name;
        if (!c.accepted) {
            EXPECT_FALSE(settings.allow_downgrade.has_value()) << c.name;
        }
    }
}

TEST(InstallXml, AllowDowngradeIsAnyNumberButZeroAndAnEmptyElementKeepsTheDefault) {
    const struct {
        const char* value;
        std::optional<bool> allow;
    } cases[] = {
        {"0", false},   {"1", true},     {"2", true},    {"yes", false},        {"true", false}, {"", {}},
        {"  -3", true}, {"+1", true},    {" 0 ", false}, {"99999999999", true}, {"+0", false},   {"-99999999999", true},
        {"007", true},  {"0x10", false},
    };
    for (const auto& c : cases) {
        const InstallXmlSettings settings = ReadInstallXml(TLString::FromUtf8(Downgrade("1.0", c.value)));
        ASSERT_TRUE(settings.accepted) << c.value;
        EXPECT_EQ(settings.allow_downgrade, c.allow) << "\"" << c.value << "\"";
    }
    const InstallXmlSettings missing = ReadInstallXml(
        TLString::FromUtf8(Tlic(" version=\"1.0\"", "<Settings><SupportFiles>S</SupportFiles></Settings>")));
    EXPECT_FALSE(missing.allow_downgrade.has_value());
}

TEST(InstallXml, FolderTextsAreTakenTrimmedAndOnlyFromTheFirstSettings) {
    const InstallXmlSettings settings = ReadInstallXml(TLString::FromUtf8(Tlic(
        " version=\"1.0\"",
        "<Other><SupportFiles>Wrong</SupportFiles></Other>\r\n"
        "<Settings>\r\n  <SupportFiles>  ..\\Extras </SupportFiles>\r\n  <BundledMedia>C:\\Media</BundledMedia>\r\n"
        "</Settings>\r\n<Settings><AllowDowngrade>0</AllowDowngrade></Settings>")));
    ASSERT_TRUE(settings.accepted);
    EXPECT_EQ(settings.support_files, u"..\\Extras");
    EXPECT_EQ(settings.bundled_media, u"C:\\Media");
    EXPECT_FALSE(settings.allow_downgrade.has_value());
}

TEST(InstallXml, IntegersReadSignAndDigitsAndSaturate) {
    const struct {
        const char16_t* text;
        int value;
    } cases[] = {
        {u"12", 12},
        {u"  +7", 7},
        {u"\t-4x", -4},
        {u"+", 0},
        {u"-", 0},
        {u"abc", 0},
        {u"2147483647", 2147483647},
        {u"2147483648", 2147483647},
        {u"-2147483648", -2147483647 - 1},
        {u"-2147483649", -2147483647 - 1},
        {u"+ 5", 0},
        {u"", 0},
    };
    for (const auto& c : cases) EXPECT_EQ(ReadConfigurationInteger(c.text), c.value) << TLString(c.text);
}

TEST(InstallXml, VersionsReadAsDecimalNumbersWithAPoint) {
    const struct {
        const char16_t* text;
        double value;
    } cases[] = {{u"1.5", 1.5}, {u" +2.25 ", 2.25}, {u"1,5", 1.0}, {u"", 0.0}, {u"v1", 0.0}, {u"10", 10.0}};
    for (const auto& c : cases) EXPECT_EQ(ReadConfigurationVersion(c.text), c.value) << TLString(c.text);
}

}  // namespace
