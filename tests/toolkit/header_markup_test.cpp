// The header's formatted text: what is drawn bold, on which line, how far indented.
#include <gtest/gtest.h>

#include "toolkit/header_markup.h"

namespace {

using toolkit::MarkupLine;
using toolkit::MarkupRun;

struct MarkupCase {
    const char* name;
    const char16_t* text;
    std::vector<MarkupLine> lines;
};

class HeaderMarkup : public ::testing::TestWithParam<MarkupCase> {};

TEST_P(HeaderMarkup, SplitsIntoLinesAndBoldStretches) {
    EXPECT_EQ(toolkit::ParseMarkup(GetParam().text), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, HeaderMarkup,
    ::testing::Values(MarkupCase{"TitleAndSubtitle",
                                 u"<b>Welcome</b>\r\n\tWelcome to the Install Wizard.",
                                 {{0, {{u"Welcome", true}}}, {1, {{u"Welcome to the Install Wizard.", false}}}}},
                      MarkupCase{"Empty", u"", {}},
                      MarkupCase{
                          "BoldInsideALine", u"a <b>b</b> c", {{0, {{u"a ", false}, {u"b", true}, {u" c", false}}}}},
                      // A bold stretch left open carries on into the next line.
                      MarkupCase{"UnclosedBold", u"<b>x\r\ny", {{0, {{u"x", true}}}, {0, {{u"y", true}}}}},
                      // Other tags and a lone "<" are text as typed.
                      MarkupCase{"OtherTagsAreText", u"<i>1 < 2</i>", {{0, {{u"<i>1 < 2</i>", false}}}}},
                      MarkupCase{"TwoTabsAndAnEmptyLine", u"\t\tdeep\r\n", {{2, {{u"deep", false}}}, {0, {}}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(HeaderMarkup, PageHeaderIsTheTitleInBoldAndTheSubtitleIndentedBelow) {
    EXPECT_EQ(toolkit::HeaderText(u"Setup Type", u"Choose."), TLString(u"<b>Setup Type</b>\r\n\tChoose."));
    EXPECT_EQ(toolkit::HeaderText(u"Setup Type", u""), TLString(u"<b>Setup Type</b>"));
    // A title that itself holds markup characters survives the round trip as text.
    const auto lines = toolkit::ParseMarkup(toolkit::HeaderText(u"A < B", u"C"));
    EXPECT_EQ(toolkit::PlainText(lines), TLString(u"A < B\nC"));
}

}  // namespace
