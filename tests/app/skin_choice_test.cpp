// The skin Setup.exe draws with: the product's default, or the one the user chose in an installed
// copy (kept under the product's "Properties"), when that names a skin file that exists.
#include <gtest/gtest.h>

#include "tests/app/distribution_fixture.h"
#include "tests/support/product_keys.h"
#include "tests/support/win_test_support.h"
#include "tests/support/window_driver.h"
#include "tests/support/wizard_driver.h"

namespace {

using tltest::kPropertiesKey;

void SetProperty(std::u16string_view name, const TLString& value) {
    ASSERT_TRUE(tltest::WriteRegistryString(HKEY_CURRENT_USER, kPropertiesKey, name, value));
}

struct SkinCase {
    const char* name;
    const char16_t* stored;  // null: the user never chose one
    const char16_t* chosen;
};

class SkinChoice : public ::testing::TestWithParam<SkinCase> {};

TEST_P(SkinChoice, KeepsTheUsersSkinWhenItIsThere) {
    tltest::RegistryCleanup properties(HKEY_CURRENT_USER, kPropertiesKey);
    if (GetParam().stored) SetProperty(u"Standard View Skin 2", GetParam().stored);
    tltest::Distribution distribution;
    ASSERT_TRUE(distribution.scratch().WriteFile(u"Tunevault\\Skins\\Standard View\\Dark.tlskin", "[Colors]\r\n"));
    tltest::StartedProgram setup(distribution.SetupExe(), u"");
    EXPECT_EQ(tltest::CloseWizardAndWait(setup).exit_code, 0u);
    const TLString expected =
        u"Skin file \"" + distribution.Path(u"Tunevault\\Skins\\Standard View\\") + GetParam().chosen + u"\"";
    EXPECT_TRUE(tltest::LogContains(setup, expected)) << expected;
    EXPECT_TRUE(tltest::LogContains(setup, u"SetTitleBarImage: Titlebar Icon"));
}

INSTANTIATE_TEST_SUITE_P(
    StoredSkins, SkinChoice,
    ::testing::Values(SkinCase{"NoneStored", nullptr, u"Standard.tlskin"},
                      SkinCase{"UsersSkin", u"Skins\\Dark.tlskin", u"Dark.tlskin"},
                      SkinCase{"TrailingBackslashDropped", u"Skins\\Dark.tlskin\\", u"Dark.tlskin"},
                      SkinCase{"OnePieceIsNotEnough", u"Dark.tlskin", u"Standard.tlskin"},
                      SkinCase{"MissingFileKeepsTheDefault", u"Skins\\Gone.tlskin", u"Standard.tlskin"}),
    [](const auto& info) { return std::string(info.param.name); });

// When the product asks for it, the language selection comes right after the skin; the chosen
// language is the one of every later message.
TEST(LanguageSelection, ChangesTheLanguageOfLaterMessages) {
    tltest::RegistryCleanup properties(HKEY_CURRENT_USER, kPropertiesKey);
    tltest::Distribution distribution;
    std::string product = tltest::ReadFileBytes(distribution.Path(u"Tunevault\\Product.xml"));
    const std::string off = "<ShowLanguageSelection>0</ShowLanguageSelection>";
    ASSERT_NE(product.find(off), std::string::npos);
    product.replace(product.find(off), off.size(), "<ShowLanguageSelection>1</ShowLanguageSelection>");
    ASSERT_TRUE(distribution.scratch().WriteFile(u"Tunevault\\Product.xml", product));

    const tltest::HeldInstallerMutex held;
    ASSERT_TRUE(held.held());
    tltest::StartedProgram setup(distribution.SetupExe(), u"");
    HWND selection = tltest::WaitForDialog(u"Language", setup.id());
    ASSERT_NE(selection, nullptr);
    EXPECT_TRUE(tltest::PressButton(selection, u"German"));
    HWND message = tltest::WaitForDialog(u"Corvane-Installationsprogramm", setup.id());
    ASSERT_NE(message, nullptr);
    EXPECT_TRUE(tltest::PressButton(message, u"OK"));
    EXPECT_EQ(setup.Wait().exit_code, 0u);
}

}  // namespace
