// The registry layer against Wine's real registry.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/windows/fault_seam.h"
#include "core/windows/registry.h"
#include "tests/support/win_test_support.h"

namespace {

using tlwin::RegistryKey;
using tlwin::RegistryView;

constexpr char16_t kKey[] = u"Software\\TLTest\\Registry";

class Registry : public ::testing::Test {
protected:
    tltest::RegistryCleanup cleanup_{HKEY_CURRENT_USER, kKey};
    RegistryKey key_ = RegistryKey::Create(HKEY_CURRENT_USER, kKey);
};

TEST_F(Registry, StringsOfAnyLengthAndBothTypesReadBackAsWritten) {
    ASSERT_TRUE(key_.IsOpen());
    const struct {
        const char16_t* name;
        TLString value;
        DWORD type;
    } cases[] = {
        {u"Short", u"C:\\Tonehall\\", REG_SZ},
        {u"Empty", u"", REG_SZ},
        // Longer than the 512 and 1024 units that fixed buffers used to hold.
        {u"Long", TLString(std::u16string(5000, u'x')), REG_SZ},
        {u"Huge", TLString(std::u16string(70000, u'y')), REG_SZ},
        {u"Expandable", u"%ProgramFiles%\\Tonehall\\", REG_EXPAND_SZ},
        {u"", u"the default value", REG_SZ},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(key_.WriteString(c.name, c.value, c.type)) << TLString(c.name);
        TLString read = u"untouched";
        ASSERT_TRUE(RegistryKey::Open(HKEY_CURRENT_USER, kKey).ReadString(c.name, &read)) << TLString(c.name);
        EXPECT_EQ(read.length(), c.value.length()) << TLString(c.name);
        EXPECT_TRUE(read == c.value) << TLString(c.name);
        DWORD type = 0;
        ASSERT_EQ(RegQueryValueExW(key_.handle(), TLString(c.name).wc(), nullptr, &type, nullptr, nullptr),
                  ERROR_SUCCESS);
        EXPECT_EQ(type, c.type) << TLString(c.name);
    }
}

TEST_F(Registry, ReadsFailWithoutTouchingTheResultForMissingValuesAndOtherTypes) {
    ASSERT_TRUE(key_.WriteDword(u"Number", 27));
    ASSERT_TRUE(key_.WriteString(u"Text", u"27"));
    TLString text = u"untouched";
    EXPECT_FALSE(key_.ReadString(u"Missing", &text));
    EXPECT_EQ(key_.error(), ERROR_FILE_NOT_FOUND);
    EXPECT_FALSE(key_.ReadString(u"Number", &text));
    EXPECT_EQ(text, u"untouched");
    DWORD number = 5;
    EXPECT_FALSE(key_.ReadDword(u"Text", &number));
    EXPECT_EQ(number, 5u);
    EXPECT_TRUE(key_.ReadDword(u"Number", &number));
    EXPECT_EQ(number, 27u);
    // A string stored without its terminating zero still reads whole.
    ASSERT_EQ(RegSetValueExW(key_.handle(), L"Unterminated", 0, REG_SZ, reinterpret_cast<const BYTE*>(L"abc"), 6),
              ERROR_SUCCESS);
    EXPECT_TRUE(key_.ReadString(u"Unterminated", &text));
    EXPECT_EQ(text, u"abc");
}

TEST_F(Registry, DeletesValuesAndListsSubkeys) {
    ASSERT_TRUE(key_.WriteString(u"Gone", u"soon"));
    EXPECT_TRUE(key_.DeleteValue(u"Gone"));
    EXPECT_FALSE(key_.DeleteValue(u"Gone"));
    EXPECT_EQ(key_.error(), ERROR_FILE_NOT_FOUND);

    const std::u16string long_name(255, u'k');
    for (const char16_t* name : {u"First", u"Second", long_name.c_str()})
        ASSERT_TRUE(RegistryKey::Create(key_.handle(), name).IsOpen());
    const TLStringArray names = key_.SubkeyNames();
    ASSERT_EQ(names.GetCount(), 3u);
    // Windows keeps subkeys sorted by name, whatever the order they were made in.
    EXPECT_EQ(names[0], u"First");
    EXPECT_EQ(names[1], TLString(long_name));
    EXPECT_EQ(names[2], u"Second");
    EXPECT_EQ(RegistryKey().SubkeyNames().GetCount(), 0u);
}

TEST_F(Registry, TypedValuesOfAnyLengthReadBackByteForByteWithTheirType) {
    std::vector<uint8_t> big(100000);
    for (size_t i = 0; i < big.size(); ++i) big[i] = static_cast<uint8_t>(i * 7);
    const std::u16string expandable = u"%APPDATA%\\x";
    const tlwin::RegistryValue cases[] = {
        {REG_BINARY, {0x00, 0xFF, 0x10, 0x00}},
        {REG_BINARY, {}},
        {REG_BINARY, big},
        {REG_QWORD, {1, 2, 3, 4, 5, 6, 7, 0x80}},
        {REG_EXPAND_SZ,
         std::vector<uint8_t>(reinterpret_cast<const uint8_t*>(expandable.c_str()),
                              reinterpret_cast<const uint8_t*>(expandable.c_str() + expandable.size() + 1))},
        {REG_NONE, {9}},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        const TLString name = TLString::Format(u"Value %d", static_cast<int>(i));
        ASSERT_TRUE(key_.WriteValue(name, cases[i])) << name;
        tlwin::RegistryValue read;
        ASSERT_TRUE(RegistryKey::Open(HKEY_CURRENT_USER, kKey).ReadValue(name, &read)) << name;
        EXPECT_EQ(read.type, cases[i].type) << name;
        EXPECT_TRUE(read.data == cases[i].data) << name << " " << read.data.size();
    }
    // The expandable string is not expanded on the way.
    TLString text;
    ASSERT_TRUE(key_.ReadString(u"Value 4", &text));
    EXPECT_EQ(text, TLString(expandable));

    ASSERT_TRUE(key_.WriteBinary(u"Bytes", {1, 0, 2}));
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(key_.ReadBinary(u"Bytes", &bytes));
    EXPECT_EQ(bytes, (std::vector<uint8_t>{1, 0, 2}));
    EXPECT_FALSE(key_.ReadBinary(u"Value 3", &bytes)) << "a QWORD is not binary";
    EXPECT_EQ(key_.error(), ERROR_UNSUPPORTED_TYPE);
    uint64_t qword = 0;
    ASSERT_TRUE(key_.ReadQword(u"Value 3", &qword));
    EXPECT_EQ(qword, 0x8007060504030201ull);
}

TEST_F(Registry, MultiStringsKeepTheirOrderAndRefuseWhatTheTypeCannotHold) {
    TLStringArray strings;
    for (const char16_t* text : {u"C:\\Music\\", u"D:\\Tonehall 26\\", u"third"}) strings.Add(text);
    ASSERT_TRUE(key_.WriteMultiString(u"Folders", strings));
    TLStringArray read;
    ASSERT_TRUE(key_.ReadMultiString(u"Folders", &read));
    ASSERT_EQ(read.GetCount(), 3u);
    for (size_t i = 0; i < 3; ++i) EXPECT_EQ(read[i], strings[i]);
    ASSERT_TRUE(key_.WriteMultiString(u"None", TLStringArray()));
    ASSERT_TRUE(key_.ReadMultiString(u"None", &read));
    EXPECT_EQ(read.GetCount(), 0u);

    // An empty string would end the list early; a list without its closing zeros still reads.
    TLStringArray with_empty;
    with_empty.Add(u"a");
    with_empty.Add(u"");
    EXPECT_FALSE(key_.WriteMultiString(u"Broken", with_empty));
    EXPECT_EQ(key_.error(), ERROR_INVALID_PARAMETER);
    ASSERT_EQ(
        RegSetValueExW(key_.handle(), L"Unterminated", 0, REG_MULTI_SZ, reinterpret_cast<const BYTE*>(L"ab\0cd"), 10),
        ERROR_SUCCESS);
    ASSERT_TRUE(key_.ReadMultiString(u"Unterminated", &read));
    ASSERT_EQ(read.GetCount(), 2u);
    EXPECT_EQ(read[1], u"cd");
}

TEST_F(Registry, ListsEveryValueNameHoweverLong) {
    const std::u16string long_name(5000, u'v');
    for (const char16_t* name : {u"", u"Short", long_name.c_str()}) ASSERT_TRUE(key_.WriteDword(name, 1));
    ASSERT_TRUE(RegistryKey::Create(key_.handle(), u"Sub").IsOpen());
    std::vector<std::u16string> names;
    for (const TLString& name : key_.ValueNames()) names.emplace_back(name.view());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::u16string>{u"", u"Short", long_name}));
    EXPECT_EQ(RegistryKey().ValueNames().GetCount(), 0u);
}

TEST(RegistryViews, TheThirtyTwoBitViewIsTheWow64NodeAndTreesGoInTheirView) {
    constexpr char16_t kMachineKey[] = u"Software\\TLTest View";
    tltest::RegistryCleanup native(HKEY_LOCAL_MACHINE, kMachineKey);
    tltest::RegistryCleanup redirected(HKEY_LOCAL_MACHINE, u"Software\\WOW6432Node\\TLTest View");
    ASSERT_TRUE(
        RegistryKey::Create(HKEY_LOCAL_MACHINE, u"Software\\TLTest View\\Below", KEY_ALL_ACCESS, RegistryView::k32)
            .WriteString(u"Where", u"32"));
    TLString where;
    EXPECT_FALSE(RegistryKey::Open(HKEY_LOCAL_MACHINE, u"Software\\TLTest View\\Below", KEY_READ, RegistryView::k64)
                     .ReadString(u"Where", &where));
    EXPECT_TRUE(RegistryKey::Open(HKEY_LOCAL_MACHINE, u"Software\\WOW6432Node\\TLTest View\\Below")
                    .ReadString(u"Where", &where));
    EXPECT_EQ(where, u"32");

    ASSERT_TRUE(RegistryKey::Create(HKEY_LOCAL_MACHINE, kMachineKey, KEY_ALL_ACCESS, RegistryView::k64).IsOpen());
    EXPECT_TRUE(tlwin::DeleteKeyTree(HKEY_LOCAL_MACHINE, kMachineKey, RegistryView::k32));
    EXPECT_FALSE(RegistryKey::Open(HKEY_LOCAL_MACHINE, kMachineKey, KEY_READ, RegistryView::k32).IsOpen());
    // The other view's key of the same name is left alone.
    EXPECT_TRUE(RegistryKey::Open(HKEY_LOCAL_MACHINE, kMachineKey, KEY_READ, RegistryView::k64).IsOpen());
    // A key that is not there is already deleted.
    EXPECT_TRUE(tlwin::DeleteKeyTree(HKEY_LOCAL_MACHINE, kMachineKey, RegistryView::k32));
}

TEST_F(Registry, APlantedFaultFailsEveryWriteWithItsErrorAndChangesNothing) {
    ASSERT_TRUE(key_.WriteString(u"Kept", u"before"));
    {
        const tlwin::PlantedFault denied(tlwin::FaultCall::kRegistryWrite, ERROR_ACCESS_DENIED);
        EXPECT_FALSE(key_.WriteString(u"Kept", u"after"));
        EXPECT_EQ(key_.error(), ERROR_ACCESS_DENIED);
        EXPECT_FALSE(key_.WriteDword(u"New", 1));
        EXPECT_FALSE(key_.WriteValue(u"New", {REG_BINARY, {1}}));
        EXPECT_FALSE(key_.WriteBinary(u"New", {1}));
        EXPECT_FALSE(key_.WriteMultiString(u"New", TLStringArray()));
        EXPECT_FALSE(key_.DeleteValue(u"Kept"));
        const RegistryKey created = RegistryKey::Create(HKEY_CURRENT_USER, u"Software\\TLTest\\Registry\\Sub");
        EXPECT_FALSE(created.IsOpen());
        EXPECT_EQ(created.error(), ERROR_ACCESS_DENIED);
        EXPECT_FALSE(tlwin::DeleteKeyTree(HKEY_CURRENT_USER, kKey));
        // Reads are not writes.
        TLString value;
        EXPECT_TRUE(key_.ReadString(u"Kept", &value));
    }
    TLString value;
    ASSERT_TRUE(key_.ReadString(u"Kept", &value));
    EXPECT_EQ(value, u"before");
    EXPECT_FALSE(key_.ReadString(u"New", &value));
    EXPECT_TRUE(key_.WriteString(u"Kept", u"after"));
}

TEST_F(Registry, AFaultAfterSomeCallsLetsThoseThrough) {
    const tlwin::PlantedFault third(tlwin::FaultCall::kRegistryWrite, ERROR_ACCESS_DENIED, 2);
    EXPECT_TRUE(key_.WriteDword(u"One", 1));
    EXPECT_TRUE(key_.WriteDword(u"Two", 2));
    EXPECT_FALSE(key_.WriteDword(u"Three", 3));
    EXPECT_FALSE(key_.WriteDword(u"Four", 4));
}

TEST(RegistryKey, AMovedKeyKeepsItsHandleAndTheSourceIsEmpty) {
    RegistryKey source = RegistryKey::Open(HKEY_CURRENT_USER, u"Software");
    ASSERT_TRUE(source.IsOpen());
    const HKEY handle = source.handle();
    RegistryKey target = std::move(source);
    EXPECT_FALSE(source.IsOpen());  // NOLINT: checking the moved-from state is the point
    EXPECT_EQ(target.handle(), handle);
    target = RegistryKey::Open(HKEY_CURRENT_USER, u"No Such Key Anywhere");
    EXPECT_FALSE(target.IsOpen());
    EXPECT_EQ(target.error(), ERROR_FILE_NOT_FOUND);
}

}  // namespace
