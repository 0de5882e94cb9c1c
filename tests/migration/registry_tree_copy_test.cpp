// The registry-tree copy against Wine's real registry.
#include <gtest/gtest.h>
#include <windows.h>
// After windows.h, which it needs.
#include <sddl.h>

#include <vector>

#include "core/windows/fault_seam.h"
#include "core/windows/registry.h"
#include "engine/migration/registry_tree_copy.h"
#include "tests/support/win_test_support.h"

namespace {

using engine::migration::CopyRegistryTree;
using engine::migration::ReplacementPairs;
using tlwin::RegistryKey;

constexpr char16_t kTop[] = u"Software\\TLTest Tree Copy";
constexpr char16_t kFrom[] = u"Software\\TLTest Tree Copy\\From";
constexpr char16_t kTo[] = u"Software\\TLTest Tree Copy\\To";

RegistryKey Make(const TLString& path) { return RegistryKey::Create(HKEY_CURRENT_USER, path, KEY_ALL_ACCESS); }

bool Exists(const TLString& path) { return RegistryKey::Open(HKEY_CURRENT_USER, path).IsOpen(); }

TLString Read(const TLString& path, const TLString& name) {
    TLString value;
    RegistryKey::Open(HKEY_CURRENT_USER, path).ReadString(name, &value);
    return value;
}

class RegistryTreeCopy : public ::testing::Test {
protected:
    tltest::RegistryCleanup cleanup_{HKEY_CURRENT_USER, kTop};
};

TEST_F(RegistryTreeCopy, LeavesOutTheNamedSubkeysAtEveryLevelAndNeverOverwrites) {
    const TLString from = kFrom;
    ASSERT_TRUE(Make(from).WriteString(u"Top", u"D:\\Old\\x"));
    ASSERT_TRUE(Make(from + u"\\Installer").WriteString(u"Install Directory", u"D:\\Old\\"));
    ASSERT_TRUE(Make(from + u"\\Plugins\\Dependencies").WriteString(u"Net", u"1"));
    ASSERT_TRUE(Make(from + u"\\Plugins\\Deep\\installer").WriteString(u"Kept", u"no"));
    ASSERT_TRUE(Make(from + u"\\Plugins\\Deep").WriteString(u"Kept", u"yes"));
    ASSERT_TRUE(Make(from + u"\\Plugins").WriteString(u"Mine", u"old"));
    ASSERT_TRUE(Make(from + u"\\Plugins").WriteString(u"", u"the default value"));
    ASSERT_TRUE(Make(TLString(kTo) + u"\\Plugins").WriteString(u"Mine", u"new"));

    ReplacementPairs pairs;
    pairs.AddFolder(u"D:\\Old\\", u"C:\\New\\");
    EXPECT_TRUE(CopyRegistryTree(nullptr, kFrom, kTo, {u"Installer", u"Dependencies"}, pairs));

    const TLString to = kTo;
    EXPECT_EQ(Read(to, u"Top"), u"C:\\New\\x");
    EXPECT_EQ(Read(to + u"\\Plugins\\Deep", u"Kept"), u"yes");
    EXPECT_EQ(Read(to + u"\\Plugins", u"Mine"), u"new");
    EXPECT_EQ(Read(to + u"\\Plugins", u""), u"the default value");
    for (const char16_t* left_out : {u"\\Installer", u"\\Plugins\\Dependencies", u"\\Plugins\\Deep\\installer"})
        EXPECT_FALSE(Exists(to + left_out)) << TLString(left_out).ToUtf8();
}

TEST_F(RegistryTreeCopy, AFailedWriteIsReportedAndAMissingSourceCopiesNothing) {
    ASSERT_TRUE(Make(kFrom).WriteString(u"Value", u"x"));
    {
        const tlwin::PlantedFault denied(tlwin::FaultCall::kRegistryWrite, ERROR_ACCESS_DENIED);
        EXPECT_FALSE(CopyRegistryTree(nullptr, kFrom, kTo, {}, ReplacementPairs()));
    }
    EXPECT_FALSE(Exists(kTo));
    EXPECT_TRUE(CopyRegistryTree(nullptr, TLString(kTop) + u"\\Nothing", kTo, {}, ReplacementPairs()));
    EXPECT_FALSE(Exists(kTo));
}

// "\Registry\User\<the user's SID>": where HKEY_CURRENT_USER is in the registry's own names.
TLString CurrentUserRoot() {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return TLString();
    std::vector<BYTE> buffer(256);
    DWORD size = 0;
    TLString root;
    wchar_t* sid = nullptr;
    if (GetTokenInformation(token, TokenUser, buffer.data(), static_cast<DWORD>(buffer.size()), &size) &&
        ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid, &sid)) {
        root = TLString(u"\\Registry\\User\\") + TLString(sid);
        LocalFree(sid);
    }
    CloseHandle(token);
    return root;
}

// A link below the source that points at the source itself: followed, the copy would never end.
TEST_F(RegistryTreeCopy, ALinkBackUpTheTreeIsNotFollowed) {
    const TLString user_root = CurrentUserRoot();
    ASSERT_FALSE(user_root.empty());
    ASSERT_TRUE(Make(TLString(kFrom) + u"\\Sub").WriteString(u"Value", u"x"));
    HKEY link = nullptr;
    const TLString link_path = TLString(kFrom) + u"\\Sub\\Loop";
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, link_path.wc(), 0, nullptr, REG_OPTION_CREATE_LINK,
                              KEY_ALL_ACCESS | KEY_CREATE_LINK, nullptr, &link, nullptr),
              ERROR_SUCCESS);
    const TLString target = user_root + u"\\" + kFrom;
    ASSERT_EQ(RegSetValueExW(link, L"SymbolicLinkValue", 0, REG_LINK, reinterpret_cast<const BYTE*>(target.c_str()),
                             static_cast<DWORD>(target.length() * sizeof(char16_t))),
              ERROR_SUCCESS);
    RegCloseKey(link);
    ASSERT_TRUE(RegistryKey::Open(HKEY_CURRENT_USER, link_path).IsOpen()) << "the link leads back to the source";
    EXPECT_TRUE(RegistryKey::Open(HKEY_CURRENT_USER, kFrom).IsSubkeyLink(u"Sub") == false);
    EXPECT_TRUE(RegistryKey::Open(HKEY_CURRENT_USER, TLString(kFrom) + u"\\Sub").IsSubkeyLink(u"Loop"));

    EXPECT_TRUE(CopyRegistryTree(nullptr, kFrom, kTo, {}, ReplacementPairs()));
    EXPECT_EQ(Read(TLString(kTo) + u"\\Sub", u"Value"), u"x");
    EXPECT_FALSE(Exists(TLString(kTo) + u"\\Sub\\Loop"));

    // The clean-up must not follow the link either: remove the link itself first.
    using DeleteKey = LONG(WINAPI*)(HANDLE);
    const auto delete_key = reinterpret_cast<DeleteKey>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtDeleteKey")));
    ASSERT_NE(delete_key, nullptr);
    HKEY opened = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, link_path.wc(), REG_OPTION_OPEN_LINK, DELETE, &opened), ERROR_SUCCESS);
    EXPECT_EQ(delete_key(opened), 0);
    RegCloseKey(opened);
}

}  // namespace
