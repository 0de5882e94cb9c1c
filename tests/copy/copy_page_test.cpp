// The copy-and-install page in a real Setup.exe run: which promotional pictures it shows, in which
// order, and the bar of its finishing wait.
#include <gtest/gtest.h>

#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <string>

#include "tests/app/distribution_fixture.h"
#include "tests/copy/copy_test_support.h"
#include "tests/support/win_test_support.h"
#include "tests/support/wizard_driver.h"
#include "wizard/control_ids.h"

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
    ASSERT_TRUE(wizard.WaitForPage(4));
    int range = 0;
    for (int i = 0; i < 600 && !range; ++i) {
        if (wizard.Text(wizard_ids::kInstallStatus) == u"Finalizing installation...")
            range =
                static_cast<int>(SendMessageW(wizard.Control(wizard_ids::kInstallProgress), PBM_GETRANGE, FALSE, 0));
        else
            Sleep(50);
    }
    const auto result = wizard.WaitForExit();
    ASSERT_TRUE(result.finished);

    const TLStringArray log = tltest::LogLinesOf(wizard.program());
    std::vector<std::string> pictures;
    int wait_picture = 0;
    for (const TLString& line : log) {
        const size_t at = line.Find(u"ShowPromoImage: Picture ");
        if (at != TLString::npos) pictures.push_back(line.Mid(line.ReverseFind(u'\\') + 1).ToUtf8());
        const size_t wait = line.Find(u"Finalizing installation... (picture ");
        if (wait != TLString::npos) wait_picture = line.Mid(wait + 36).ToInt();
    }
    EXPECT_EQ(pictures, (std::vector<std::string>{"Promo1 - English.png", "Promo2.png", "Promo3.png"}));
    // The steps end long before nine seconds; the bar then counts the pictures' remaining time in
    // 333 ms ticks: 9000, 6000 or 3000 ms left while picture 1, 2 or 3 is up.
    ASSERT_GE(wait_picture, 1) << "no finishing wait";
    const int expected[] = {0, 28, 19, 10};
    EXPECT_EQ(range, expected[wait_picture]);
    EXPECT_TRUE(tltest::LogContains(wizard.program(), u"The installation steps are done"));
}

}  // namespace
