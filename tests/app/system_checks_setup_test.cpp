// The checks before the wizard, as a user meets them: Setup.exe from a copy of the sample
// distribution under Wine, with the product's main program running or not.
#include <gtest/gtest.h>

#include "tests/app/distribution_fixture.h"
#include "tests/support/product_keys.h"
#include "tests/support/win_test_support.h"
#include "tests/support/window_driver.h"
#include "tests/support/wizard_driver.h"
#include "toolkit/wizard/tl_wizard_ids.h"

namespace {

using tltest::Distribution;

constexpr char16_t kCommandsKey[] = u"Software\\C. Orvane\\Tonehall 27\\Commands";
constexpr char16_t kInstallations[] = u"Software\\C. Orvane\\Tone Core";
using tltest::kPropertiesKey;

HWND WaitForMainWindow(DWORD timeout_ms = 30000) {
    for (DWORD waited = 0; waited <= timeout_ms; waited += 50) {
        if (HWND window = FindWindowW(L"QVFrame", nullptr)) return window;
        Sleep(50);
    }
    return nullptr;
}

bool KeyExists(HKEY root, const wchar_t* path) {
    HKEY key;
    if (RegOpenKeyExW(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

// Replaces a text in the copy's product information.
void EditProductInformation(const Distribution& distribution, std::string_view from, std::string_view to) {
    std::string text = tltest::ReadFileBytes(distribution.Path(u"Tunevault\\Product.xml"));
    const size_t at = text.find(from);
    ASSERT_NE(at, std::string::npos) << from;
    text.replace(at, from.size(), to);
    ASSERT_TRUE(distribution.scratch().WriteFile(u"Tunevault\\Product.xml", text));
}

// Startup went past the checks on to the wizard.
bool WentOnToTheWizard(const tltest::StartedProgram& setup) {
    return tltest::LogContains(setup, u"RunSystemChecks: Finish (result: 1)") &&
           tltest::LogContains(setup, u"RunWizard: Start");
}

// The product's main program from the copy's program files, running until it is closed.
class RunningProduct {
public:
    explicit RunningProduct(const Distribution& distribution)
        : program_(distribution.Path(u"Tunevault\\Tonehall.exe"), u"") {
        EXPECT_NE(WaitForMainWindow(), nullptr);
    }
    tltest::StartedProgram& program() { return program_; }

private:
    tltest::StartedProgram program_;
};

class SystemChecks : public ::testing::Test {
protected:
    // No installed product is known, and no program has answered a command yet.
    tltest::RegistryCleanup installations_{HKEY_LOCAL_MACHINE, kInstallations};
    tltest::RegistryCleanup commands_{HKEY_CURRENT_USER, kCommandsKey};
    Distribution distribution_;
};

TEST_F(SystemChecks, YesClosesTheRunningProductAndTheWizardOpens) {
    RunningProduct product(distribution_);
    tltest::StartedProgram setup(distribution_.SetupExe(), u"");
    HWND question = tltest::WaitForDialog(u"Tonehall Open", setup.id());
    ASSERT_NE(question, nullptr);
    const TLString text = tltest::AllText(question);
    EXPECT_NE(text.Find(u"Install Wizard has detected a running copy of Tonehall.\r\n\r\nDo you want Install Wizard to "
                        u"close Tonehall and continue setup?"),
              TLString::npos)
        << text;
    EXPECT_TRUE(tltest::PressButton(question, u"Yes"));

    const auto closed = product.program().Wait();
    EXPECT_TRUE(closed.finished);
    EXPECT_EQ(closed.exit_code, 0u);
    EXPECT_NE(tltest::WaitForWizard(setup.id()), nullptr);
    EXPECT_EQ(tltest::CloseWizardAndWait(setup).exit_code, 0u);
    EXPECT_TRUE(WentOnToTheWizard(setup));
    EXPECT_TRUE(tltest::LogContains(setup, u"CheckRunningCopy: Closing it by the product's own means"));

    // Nothing told where the product is installed, so its service was left alone.
    EXPECT_TRUE(tltest::LogContains(setup, u"No installed product folder: the service is left alone"));
    EXPECT_FALSE(tltest::LogContains(setup, u"TLService.exe"));
    TLString stopped;
    EXPECT_FALSE(tltest::ReadRegistryString(HKEY_CURRENT_USER, kCommandsKey, u"TLService.exe", &stopped));

    // The rights check wrote into the machine's settings for real and cleaned up after itself.
    EXPECT_TRUE(tltest::LogContains(setup, u"Rights: the machine's settings can be changed"));
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, L"Software\\C. Orvane"));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, L"Software\\C. Orvane\\Rights Check"));
}

TEST_F(SystemChecks, NoLeavesTheProductRunningAndEndsWithoutAnotherWord) {
    RunningProduct product(distribution_);
    tltest::StartedProgram setup(distribution_.SetupExe(), u"");
    HWND question = tltest::WaitForDialog(u"Tonehall Open", setup.id());
    ASSERT_NE(question, nullptr);
    EXPECT_TRUE(tltest::PressButton(question, u"No"));
    const auto result = setup.Wait();
    EXPECT_TRUE(result.finished);  // a further message would have kept it waiting
    EXPECT_EQ(result.exit_code, 0u);
    EXPECT_TRUE(tltest::LogContains(setup, u"RunSystemChecks: Finish (result: 0)"));
    EXPECT_FALSE(tltest::LogContains(setup, u"RunWizard"));
    EXPECT_NE(FindWindowW(L"QVFrame", nullptr), nullptr);
}

// A product whose closing name says "Gantry" is closed through its window, without a question in a
// silent run.
TEST_F(SystemChecks, SilentRunClosesAGantryProductThroughItsWindow) {
    EditProductInformation(distribution_, R"(<Item number="0">Tonehall</Item>)",
                           R"(<Item number="0">Tonehall gantry Server</Item>)");
    RunningProduct product(distribution_);
    tltest::StartedProgram setup(distribution_.SetupExe(), u"/Silent");
    EXPECT_TRUE(product.program().Wait().finished);
    EXPECT_EQ(setup.Wait().exit_code, 0u);
    EXPECT_TRUE(tltest::LogContains(setup, u"CheckRunningCopy: Closing it through its main window"));
    EXPECT_TRUE(tltest::LogContains(product.program(), u"Tonehall.exe: Closing (WM_CLOSE, wParam 1)"));
    EXPECT_TRUE(WentOnToTheWizard(setup));
}

TEST_F(SystemChecks, StopsTheServiceOfTheInstalledProduct) {
    const TLString installed = distribution_.scratch().Path(u"Installed Tonehall\\");
    ASSERT_TRUE(tltest::MakeFolders(installed));
    for (const char16_t* file : {u"TLService.exe", u"TLTools.dll"})
        ASSERT_TRUE(
            CopyFileW(distribution_.Path(TLString(u"Tunevault\\") + file).wc(), (installed + file).wc(), FALSE));
    ASSERT_TRUE(tltest::WriteRegistryString(
        HKEY_LOCAL_MACHINE, u"Software\\C. Orvane\\Tone Core\\Installations\\Tonehall 27", u"Path", installed));

    // Closed at the welcome page: an install would go on to run the service's "/Register".
    tltest::StartedProgram setup(distribution_.SetupExe(), u"");
    EXPECT_EQ(tltest::CloseWizardAndWait(setup).exit_code, 0u);
    TLString command;
    EXPECT_TRUE(tltest::ReadRegistryString(HKEY_CURRENT_USER, kCommandsKey, u"TLService.exe", &command));
    EXPECT_EQ(command, u"/Stop");
    EXPECT_TRUE(tltest::LogContains(setup, u"Filename: " + installed + u"TLService.exe / Parameters: /Stop"));
    EXPECT_TRUE(WentOnToTheWizard(setup));
}

// The popup looks like the wizard and speaks the user's language; quitting ends the run before the
// wizard.
TEST_F(SystemChecks, TooOldABrowserComponentOffersTheDownloadOrQuitting) {
    tltest::RegistryCleanup properties(HKEY_CURRENT_USER, kPropertiesKey);
    ASSERT_TRUE(tltest::WriteRegistryString(HKEY_CURRENT_USER, kPropertiesKey, u"Language", u"German"));
    EditProductInformation(distribution_, "<MinIEVersion>9.0.0.0</MinIEVersion>",
                           "<MinIEVersion>9.11.9600.18377</MinIEVersion>");
    tltest::WizardDriver popup(distribution_.SetupExe(), u"/Silent");
    ASSERT_TRUE(popup.WaitForWizard());
    EXPECT_EQ(popup.Caption(), TLString(u"Tonehall"));
    const TLStringArray texts = popup.PageTexts();
    for (const char16_t* expected :
         {u"Der Installationsassistent hat keine ausreichend neue Version von Microsoft Internet Explorer gefunden.  "
          u"Setup kann nicht fortgesetzt werden.",
          u"Klicken Sie auf 'Herunterladen', um die neueste Version von Internet Explorer herunterzuladen und zu "
          u"installieren.  Bitte starten Sie Setup nach der Installation von Internet Explorer erneut."})
        EXPECT_NE(texts.Find(expected), TLString::npos) << TLString(expected);
    EXPECT_EQ(popup.Button(toolkit::kNextButtonId).text, TLString(u"Herunterladen"));
    EXPECT_EQ(popup.Button(toolkit::kCancelButtonId).text, TLString(u"Setup beenden"));
    EXPECT_FALSE(popup.Button(toolkit::kBackButtonId).visible);
    ASSERT_TRUE(popup.Click(toolkit::kCancelButtonId));
    EXPECT_EQ(popup.WaitForExit().exit_code, 0u);
    EXPECT_TRUE(tltest::LogContains(popup.program(),
                                    u"Browser component: available, version 9.11.9600.18376, minimum 9.11.9600.18377"));
    EXPECT_TRUE(tltest::LogContains(popup.program(), u"RunSystemChecks: Finish (result: 0)"));
    EXPECT_FALSE(tltest::LogContains(popup.program(), u"RunProgram"));  // the download page stays closed
}

// Nobody is there to answer: the question about the running product gets No and the browser component
// dialog "Quit Setup", both without a window and both in the log; the run ends as failed.
TEST_F(SystemChecks, WithoutMessageBoxesTheChecksAnswerThemselvesAndTheRunFails) {
    {
        RunningProduct product(distribution_);
        tltest::StartedProgram setup(distribution_.SetupExe(), u"/NoMessageBoxes /ResultCode");
        const auto result = setup.Wait();
        ASSERT_TRUE(result.finished);
        EXPECT_EQ(result.exit_code, 1603u);
        EXPECT_TRUE(tltest::LogContains(setup,
                                        u"\"Tonehall Open\": Install Wizard has detected a running copy of "
                                        u"Tonehall. Do you want Install Wizard to close Tonehall and continue "
                                        u"setup? -> \"No\""));
        EXPECT_NE(FindWindowW(L"QVFrame", nullptr), nullptr);
    }
    EditProductInformation(distribution_, "<MinIEVersion>9.0.0.0</MinIEVersion>",
                           "<MinIEVersion>9.11.9600.18377</MinIEVersion>");
    tltest::StartedProgram setup(distribution_.SetupExe(), u"/Silent /NoMessageBoxes /ResultCode");
    const auto result = setup.Wait();
    ASSERT_TRUE(result.finished);
    EXPECT_EQ(result.exit_code, 1603u);
    EXPECT_TRUE(tltest::LogContains(setup, u"the browser component dialog is not shown: \"Quit Setup\""));
    EXPECT_TRUE(tltest::LogContains(setup, u"Result: 1603 (failed): the system checks ended the run"));
}

// The prefix's Windows version, set with winecfg for the test's duration.
class WineWindowsVersion {
public:
    // `scratch` holds the file in which winecfg tells the version it replaces.
    WineWindowsVersion(const char16_t* version, const tltest::ScratchFolder& scratch) {
        const TLString file = scratch.Path(u"wine-version.txt");
        tltest::RunAndWait(u"C:\\windows\\system32\\cmd.exe", u"/c winecfg /v > \"" + file + u"\"");
        previous_ = TLString::FromUtf8(tltest::ReadFileBytes(file)).Trim();
        EXPECT_FALSE(previous_.empty());
        EXPECT_EQ(tltest::RunAndWait(u"C:\\windows\\system32\\winecfg.exe", u"/v " + TLString(version)).exit_code, 0u);
    }
    ~WineWindowsVersion() {
        if (!previous_.empty()) tltest::RunAndWait(u"C:\\windows\\system32\\winecfg.exe", u"/v " + previous_);
    }
    WineWindowsVersion(const WineWindowsVersion&) = delete;
    WineWindowsVersion& operator=(const WineWindowsVersion&) = delete;

private:
    TLString previous_;
};

// Without its manifest's supportedOS entries the installer would be told Windows 8.
TEST_F(SystemChecks, KnowsWindows10ThroughItsManifest) {
    WineWindowsVersion windows10(u"win10", distribution_.scratch());
    tltest::StartedProgram setup(distribution_.SetupExe(), u"/Silent");
    EXPECT_EQ(setup.Wait().exit_code, 0u);
    EXPECT_TRUE(tltest::LogContains(setup, u"RunSystemChecks: Windows: Microsoft Windows 10 (code 1012)"));
    EXPECT_TRUE(WentOnToTheWizard(setup));
}

}  // namespace
