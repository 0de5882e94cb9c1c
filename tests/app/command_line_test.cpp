#include "app/command_line.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct CommandLineCase {
    const char* name;
    std::u16string_view line;
    std::vector<std::u16string_view> tokens;
    std::u16string_view normalised;
};

class CommandLineTable : public ::testing::TestWithParam<CommandLineCase> {};

TEST_P(CommandLineTable, TokensAndNormalisedLine) {
    const auto& c = GetParam();
    const TLStringArray tokens = CommandLine::Tokenise(c.line);
    ASSERT_EQ(tokens.GetCount(), c.tokens.size());
    for (size_t i = 0; i < c.tokens.size(); ++i) EXPECT_EQ(tokens[i], c.tokens[i]) << "token " << i;
    EXPECT_EQ(CommandLine::Normalise(tokens), c.normalised);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, CommandLineTable,
    ::testing::Values(
        CommandLineCase{"Empty", u"", {}, u""}, CommandLineCase{"Spaces", u"   ", {}, u""},
        CommandLineCase{"TwoSwitches", u"/Silent  /NoRun", {u"/Silent", u"/NoRun"}, u"/Silent /NoRun"},
        CommandLineCase{"QuotedPathWithSpace",
                        u"/DistributorID \"C:\\Program Files\\x\"",
                        {u"/DistributorID", u"C:\\Program Files\\x"},
                        u"/DistributorID \"C:\\Program Files\\x\""},
        CommandLineCase{"SwitchGluedToQuotedValue",
                        u"/DistributorID=\"A B\" /Silent",
                        {u"/DistributorID=A B", u"/Silent"},
                        u"\"/DistributorID=A B\" /Silent"},
        CommandLineCase{"EmptyQuotes", u"a \"\" b", {u"a", u"", u"b"}, u"a \"\" b"},
        CommandLineCase{"QuoteEndsTheToken", u"\"ab\"cd", {u"ab", u"cd"}, u"ab cd"},
        CommandLineCase{
            "EscapedQuoteKeepsItsBackslash", u"\"say \\\"hi\\\"\"", {u"say \\\"hi\\\""}, u"\"say \\\\\"hi\\\\\"\""},
        CommandLineCase{"EvenBackslashesBeforeQuote", u"a\\\\\"b c\"", {u"a\\\\b c"}, u"\"a\\\\b c\""},
        CommandLineCase{"TabIsOrdinary", u"a\tb c", {u"a\tb", u"c"}, u"a\tb c"},
        CommandLineCase{"UnterminatedQuoteRunsToTheEnd", u"x \"open end", {u"x", u"open end"}, u"x \"open end\""},
        CommandLineCase{"ApostropheAndParenthesesAreQuoted", u"it's (x)", {u"it's", u"(x)"}, u"\"it's\" \"(x)\""}),
    [](const auto& info) { return std::string(info.param.name); });

struct SwitchCase {
    const char* name;
    std::u16string_view line;
    bool silent, upgrade, no_associations, no_dependencies, no_upgrade, no_driver, no_run;
    std::u16string_view distributor;
};

class SwitchTable : public ::testing::TestWithParam<SwitchCase> {};

TEST_P(SwitchTable, SessionFields) {
    const auto& c = GetParam();
    InstallSession session;
    CommandLine::ParseSwitches(CommandLine::Normalise(CommandLine::Tokenise(c.line)), session);
    EXPECT_EQ(session.Silent, c.silent);
    EXPECT_EQ(session.Upgrade, c.upgrade);
    EXPECT_EQ(session.NoAssociations, c.no_associations);
    EXPECT_EQ(session.NoDependencies, c.no_dependencies);
    EXPECT_EQ(session.NoUpgrade, c.no_upgrade);
    EXPECT_EQ(session.NoDriver, c.no_driver);
    EXPECT_EQ(session.NoRun, c.no_run);
    EXPECT_EQ(session.DistributorId, c.distributor);
    EXPECT_TRUE(session.AllowDowngrade);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, SwitchTable,
    ::testing::Values(
        // name, line, then Silent Upgrade NoAssociations NoDependencies NoUpgrade NoDriver NoRun, DistributorId
        SwitchCase{"None", u"", 0, 0, 0, 0, 0, 0, 0, u""},
        SwitchCase{"AnyLetterCase", u"/sILENT /UPGRADE", 1, 1, 0, 0, 0, 0, 0, u""},
        SwitchCase{"HyphenOrNoPrefixSetsNothing", u"-Silent NoRun", 0, 0, 0, 0, 0, 0, 0, u""},
        SwitchCase{"GluedSwitchesSetBoth", u"/Silent/NoDriver", 1, 0, 0, 0, 0, 1, 0, u""},
        SwitchCase{"NoUpgradeIsNotUpgrade", u"/NoUpgrade", 0, 0, 0, 0, 1, 0, 0, u""},
        SwitchCase{"TrailingLettersStillMatch", u"/Silently /UpgradeNow", 1, 1, 0, 0, 0, 0, 0, u""},
        SwitchCase{"Every", u"/NoAssociations /NoDependencies /NoRun", 0, 0, 1, 1, 0, 0, 1, u""},
        SwitchCase{"UnknownAndRepeatedIgnored", u"/Foo /Silent /Silent", 1, 0, 0, 0, 0, 0, 0, u""},
        SwitchCase{"DistributorWithSpace", u"/DistributorID ACME /Silent", 1, 0, 0, 0, 0, 0, 0, u"ACME"},
        SwitchCase{"DistributorWithEquals", u"/DistributorID=ACME", 0, 0, 0, 0, 0, 0, 0, u"=ACME"},
        SwitchCase{"DistributorEmpty", u"/DistributorID", 0, 0, 0, 0, 0, 0, 0, u""},
        SwitchCase{"LaterDistributorWins", u"/DistributorID a /DistributorID b", 0, 0, 0, 0, 0, 0, 0, u"b"},
        SwitchCase{"QuotedDistributorKeepsQuotes", u"/DistributorID \"A (B)\"", 0, 0, 0, 0, 0, 0, 0, u"\"A (B)\""},
        SwitchCase{"SlashInsideQuotedValueSplits", u"/DistributorID \"x/Silent y\"", 1, 0, 0, 0, 0, 0, 0, u"\"x"}),
    [](const auto& info) { return std::string(info.param.name); });

struct UnattendedCase {
    const char* name;
    std::u16string_view line;
    std::u16string_view log_file;
    bool result_code, no_message_boxes;
    std::u16string_view destination;
    bool silent;
};

class UnattendedSwitchTable : public ::testing::TestWithParam<UnattendedCase> {};

TEST_P(UnattendedSwitchTable, SessionFields) {
    const auto& c = GetParam();
    InstallSession session;
    CommandLine::ParseSwitches(CommandLine::Normalise(CommandLine::Tokenise(c.line)), session);
    EXPECT_EQ(session.LogFile, c.log_file);
    EXPECT_EQ(session.ResultCode, c.result_code);
    EXPECT_EQ(session.NoMessageBoxes, c.no_message_boxes);
    EXPECT_EQ(session.DestinationSwitch, c.destination);
    EXPECT_EQ(session.Silent, c.silent);
    EXPECT_TRUE(session.DistributorId.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Lines, UnattendedSwitchTable,
    ::testing::Values(
        // name, line, then LogFile ResultCode NoMessageBoxes DestinationSwitch Silent
        UnattendedCase{"AllTogether", u"/Silent /NoMessageBoxes /ResultCode /Log=C:\\logs\\s.log /Dir=D:\\Tonehall",
                       u"C:\\logs\\s.log", 1, 1, u"D:\\Tonehall", 1},
        UnattendedCase{"QuotedPathsWithSpaces", u"/Log=\"C:\\My Logs\\s.log\" /Dir=\"C:\\Program Files\\T L\"",
                       u"C:\\My Logs\\s.log", 0, 0, u"C:\\Program Files\\T L", 0},
        UnattendedCase{"WholeTokenQuoted", u"\"/Dir=C:\\A B\"/Silent", u"", 0, 0, u"C:\\A B", 1},
        UnattendedCase{"AnyLetterCase", u"/RESULTCODE /nomessageboxes /LOG=x.log /dIr=E:\\", u"x.log", 1, 1, u"E:\\",
                       0},
        UnattendedCase{"NamesWithoutEqualsSetNothing", u"/Logo /Log /Directory /Dir C:\\x", u"", 0, 0, u"", 0},
        UnattendedCase{"LaterValueWins", u"/Dir=C:\\a /Dir=C:\\b", u"", 0, 0, u"C:\\b", 0},
        UnattendedCase{"EmptyValue", u"/Log= /Dir=", u"", 0, 0, u"", 0}),
    [](const auto& info) { return std::string(info.param.name); });

// A name that begins with an earlier one in the table could never be matched: the earlier one would
// take every piece that names it.
TEST(SwitchNamesTest, EveryNameReachesItsOwnSwitch) {
    const std::vector<std::u16string_view> names = CommandLine::SwitchNames();
    const InstallSession untouched;
    for (size_t later = 0; later < names.size(); ++later) {
        for (size_t earlier = 0; earlier < later; ++earlier)
            EXPECT_FALSE(TLString(names[later]).Left(names[earlier].size()).EqualsNoCase(names[earlier]))
                << TLString(names[earlier]).ToUtf8() << " shadows " << TLString(names[later]).ToUtf8();
        InstallSession session;
        CommandLine::ParseSwitches(u"/" + TLString(names[later]) + u"v", session);
        EXPECT_NE(CommandLine::DescribeSwitches(session), CommandLine::DescribeSwitches(untouched))
            << TLString(names[later]).ToUtf8() << " sets nothing";
    }
}

TEST(InstallSessionTest, DestinationFolderKeepsExactlyOneTrailingBackslash) {
    InstallSession session;
    EXPECT_TRUE(session.DestinationFolder().empty());
    session.SetDestinationFolder(u"C:\\Program Files\\C Orvane\\Tonehall");
    EXPECT_EQ(session.DestinationFolder(), u"C:\\Program Files\\C Orvane\\Tonehall\\");
    session.SetDestinationFolder(u"D:\\Music\\\\\\");
    EXPECT_EQ(session.DestinationFolder(), u"D:\\Music\\");
    session.SetDestinationFolder(u"");
    EXPECT_TRUE(session.DestinationFolder().empty());
}

}  // namespace
