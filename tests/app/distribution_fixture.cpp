#include "tests/app/distribution_fixture.h"

#include <gtest/gtest.h>

namespace tltest {

namespace {

constexpr char16_t kUninstallKey[] = u"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";

// The product family's entries are named after the product, with " (64-bit)" and numbered names.
void DeleteFamilyUninstallEntries() {
    HKEY uninstall = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, TLString(kUninstallKey).wc(), 0, KEY_READ, &uninstall) != ERROR_SUCCESS)
        return;
    TLStringArray family;
    wchar_t name[256];
    DWORD length = 256;
    for (DWORD i = 0; RegEnumKeyExW(uninstall, i, name, &length, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
         ++i, length = 256) {
        const TLString entry(name);
        if (entry.StartsWith(u"Tonehall")) family.Add(kUninstallKey + entry);
    }
    RegCloseKey(uninstall);
    for (const TLString& entry : family) RegDeleteTreeW(HKEY_LOCAL_MACHINE, entry.wc());
}

}  // namespace

void ForgetInstalledProduct() {
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, L"Software\\C. Orvane\\Tone Core\\Installations");
    DeleteFamilyUninstallEntries();
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\C. Orvane\\Tonehall 27");
    HKEY run_once = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce", 0, KEY_SET_VALUE,
                      &run_once) == ERROR_SUCCESS) {
        RegDeleteValueW(run_once, L"Install Wizard Completion");
        RegCloseKey(run_once);
    }
    DeleteTree(InstalledProductCleanup::kDestination);
    // The default library and settings an install loads into the product's data folder.
    wchar_t app_data[MAX_PATH] = {};
    if (GetEnvironmentVariableW(L"APPDATA", app_data, MAX_PATH))
        DeleteTree(TLString(app_data).EnsureTrailingBackslash() + u"C. Orvane\\Tonehall 27");
}

Distribution::Distribution(std::u16string_view folder) : path_(scratch_.Path(folder)) {
    path_.EnsureTrailingBackslash();
    EXPECT_TRUE(CopyTree(BuildPath(u"distribution"), path_));
}

bool Distribution::UseSetupWithStandIns() const {
    return CopyFileW(BuildPath(u"tests/support/SetupWithStandIns.exe").wc(), SetupExe().wc(), FALSE);
}

}  // namespace tltest
