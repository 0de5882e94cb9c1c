// Windows libraries by name come from the system folder only; a DLL that lies beside the program
// (planted_dll.dll, copied there by the build) is found by the normal search but never by ours.
#include <gtest/gtest.h>

#include "core/windows/library_loader.h"
#include "tests/support/win_test_support.h"

namespace {

TEST(LibraryLoader, TakesWindowsLibrariesFromTheSystemFolderOnly) {
    HMODULE system = tlwin::LoadSystemLibrary(L"Version.dll");
    ASSERT_NE(system, nullptr);
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(system, path, MAX_PATH);
    EXPECT_NE(TLString(reinterpret_cast<const char16_t*>(path)).FindNoCase(u"\\system32\\"), TLString::npos);
    FreeLibrary(system);

    EXPECT_EQ(tlwin::LoadSystemLibrary(L"planted_dll.dll"), nullptr);
    HMODULE planted = LoadLibraryW(L"planted_dll.dll");
    EXPECT_NE(planted, nullptr) << "the normal search would have taken the planted DLL";
    if (planted) FreeLibrary(planted);
}

TEST(LibraryLoader, LoadsAModuleFromItsOwnFolder) {
    tltest::ScratchFolder folder;
    ASSERT_TRUE(folder.CopyIn(tltest::BuildPath(u"tests/app/planted_dll.dll"), u"modules\\planted_dll.dll"));
    HMODULE module = tlwin::LoadLibraryFromFolder(folder.Path(u"modules\\planted_dll.dll"));
    ASSERT_NE(module, nullptr);
    FreeLibrary(module);
    EXPECT_EQ(tlwin::LoadLibraryFromFolder(folder.Path(u"modules\\missing.dll")), nullptr);
}

}  // namespace
