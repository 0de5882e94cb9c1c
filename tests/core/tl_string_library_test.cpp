// The string library's number increment, which derives free names ("Name (2)", "Name (3)", ...).
#include <gtest/gtest.h>

#include "core/string/tl_string.h"
#include "core/string/tl_string_library.h"

namespace {

struct IncrementCase {
    const char16_t* name;
    const char16_t* next;
};

class IncrementNumber : public ::testing::TestWithParam<IncrementCase> {};

TEST_P(IncrementNumber, GivesTheNextNameInTheSeries) {
    EXPECT_EQ(TLStringLibrary::IncrementNumber(GetParam().name), GetParam().next);
}

INSTANTIATE_TEST_SUITE_P(Names, IncrementNumber,
                         ::testing::Values(IncrementCase{u"Tonehall 27 (64-bit)", u"Tonehall 27 (64-bit) (2)"},
                                           IncrementCase{u"Tonehall 27 (2)", u"Tonehall 27 (3)"},
                                           IncrementCase{u"Tonehall 27(9)", u"Tonehall 27(10)"},
                                           IncrementCase{u"Name (9999)", u"Name (10000)"},
                                           IncrementCase{u"Name (10000)",
                                                         u"Name (10000) (2)"},  // five digits are no series number
                                           IncrementCase{u"Name (07)", u"Name (07) (2)"},  // nor is a leading zero
                                           IncrementCase{u"Name ()", u"Name () (2)"}, IncrementCase{u"", u" (2)"}));

}  // namespace
