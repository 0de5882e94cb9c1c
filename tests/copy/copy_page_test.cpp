// The copy-and-install page in a real Setup.exe run: which promotional pictures it shows, in which
// order, and the bar of its finishing wait.
#include <gtest/gtest.h>

#include <windows.h>
#include <string>

#include "tests/app/distribution_fixture.h"
#include "tests/copy/copy_test_support.h"
#include "tests/support/win_test_support.h"
#include "tests/support/wizard_driver.h"

namespace {

// Rewrites one element of the distribution's product information.
void SetProductValue(const tltest::Distribution& distribution, const std::string& element, const std::string& value) {
    const TLString path = distribution.Path(u"Tunevault\\Product.xml");
    std::string xml = tltest::ReadFileBytes(path);
    const size_t start = xml.find("<" + element + ">");
    const size_t end = xml.find("</" + element + ">");
    ASSERT_NE(start, std::string::npos) << element;
    xml.replace(start, end - start, "<" + element + ">" + value);
    HANDLE file = CreateFileW(path.wc(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, xml.data(), static_cast<DWORD>(xml.size()), &written, nullptr);
    CloseHandle(file);
}

TEST(CopyPage, ShowsEveryPictureInTurnAndWaitsForTheirTime) {
    tltest::InstalledProductCleanup installed;
    tltest::Distribution distribution;
    SetProductValue(distribution, "PromoCount", "3");
    SetProductValue(distribution, "PromoMinimumMilliseconds", "9000");
    // Picture 1 also exists for the user's language, and that one is preferred.
    ASSERT_TRUE(CopyFileW(distribution.Path(u"Setup\\Promo3.png").wc(),
                          distribution.Path(u"Setup\\Promo1 - English.png").wc(), FALSE));

    tltest::WizardDriver wizard(distribution.SetupExe(), u"/Silent");
    ASSERT_TRUE(wizard.WaitForWizard());
    const auto result = wizard.WaitForExit(120000);
    ASSERT_TRUE(result.finished);

    std::vector<std::string> pictures;
    int wait_picture = 0, range = 0;
    for (const TLString& line : tltest::LogLinesOf(wizard.program())) {
        const size_t at = line.Find(u"ShowPromoImage: Picture ");
        if (at != TLString::npos) pictures.push_back(line.Mid(line.ReverseFind(u'\\') + 1).ToUtf8());
        constexpr std::u16string_view kWait = u"Finalizing installation... (picture ";
        const size_t wait = line.Find(kWait);
        if (wait == TLString::npos) continue;
        wait_picture = line.Mid(wait + kWait.size()).ToInt();
        range = line.Mid(line.Find(u"bar range ") + 10).ToInt();
    }
    EXPECT_EQ(pictures, (std::vector<std::string>{"Promo1 - English.png", "Promo2.png", "Promo3.png"}));
    EXPECT_TRUE(tltest::LogContains(wizard.program(), u"The installation steps are done"));
    // Steps that end while a picture is up leave a bar that counts the pictures' remaining time in
    // 333 ms ticks: 9000, 6000 or 3000 ms while picture 1, 2 or 3 is up. Steps that outlast all
    // three pictures (a slow machine) leave no wait at all.
    const int expected[] = {0, 28, 19, 10};
    ASSERT_GE(wait_picture, 0);
    ASSERT_LE(wait_picture, 3);
    EXPECT_EQ(range, expected[wait_picture]) << "picture " << wait_picture;
}

}  // namespace
