// Discovery of the installed product's folder through the installations record and the portable
// marker, as stored in this process's information block.
#include <gtest/gtest.h>

#include <memory>

#include "core/process/tl_install_path.h"
#include "core/process/tl_process_info_block.h"
#include "tests/support/win_test_support.h"

namespace {

struct Record {
    const char16_t* subkey;
    const char16_t* path;  // "{build}" stands for a folder that holds this test program
};

struct DiscoveryCase {
    const char* name;
    const char16_t* last_installed;  // the record's default value; null: none
    std::vector<Record> records;
    const char16_t* product_name;
    const char16_t* expected;
};

TLString Expand(const char16_t* text) {
    TLString result(text);
    result.Replace(u"{build}", tltest::BuildPath(u"tests\\"));
    return result;
}

void SetString(HKEY key, const wchar_t* name, const TLString& value) {
    RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>((value.length() + 1) * 2));
}

class Discovery : public ::testing::TestWithParam<DiscoveryCase> {
protected:
    tltest::RegistryCleanup cleanup_{HKEY_LOCAL_MACHINE, u"Software\\C. Orvane\\Tone Core"};
};

TEST_P(Discovery, ChoosesTheRecordAsTheRulesSay) {
    const DiscoveryCase& c = GetParam();
    HKEY record;
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, reinterpret_cast<const wchar_t*>(kInstallationsKey), 0, nullptr, 0,
                              KEY_ALL_ACCESS, nullptr, &record, nullptr),
              ERROR_SUCCESS);
    if (c.last_installed) SetString(record, nullptr, c.last_installed);
    for (const Record& r : c.records) {
        HKEY product;
        ASSERT_EQ(
            RegCreateKeyExW(record, TLString(r.subkey).wc(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &product, nullptr),
            ERROR_SUCCESS);
        SetString(product, L"Path", Expand(r.path));
        RegCloseKey(product);
    }
    RegCloseKey(record);

    TLProcessInfoBlock* block = TLProcessInfoBlock::Get();
    ASSERT_NE(block, nullptr);
    ASSERT_TRUE(block->InitialisedHere());
    block->SetString(TLProcessInfoBlock::kProgramFolder, u"C:\\Program\\");
    DiscoverInstallPath(*block, c.product_name, false, true);
    EXPECT_EQ(block->GetString(TLProcessInfoBlock::kInstallFolder), Expand(c.expected));
    EXPECT_EQ(block->GetString(TLProcessInfoBlock::kProgramFolder), u"C:\\Program\\");

    DiscoverInstallPath(*block, c.product_name, true, true);
    EXPECT_EQ(block->GetString(TLProcessInfoBlock::kProgramFolder), Expand(c.expected));
    EXPECT_EQ(block->GetString(TLProcessInfoBlock::kDataFolder), Expand(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Records, Discovery,
    ::testing::Values(
        DiscoveryCase{"RecordHoldingThisProgramWinsOverTheLastInstalled",
                      u"Tonehall 26",
                      {{u"Tonehall 26", u"C:\\Other\\"}, {u"Tonehall 27", u"{build}"}},
                      u"",
                      u"{build}"},
        DiscoveryCase{"LastInstalledWhenNoRecordHoldsThisProgram",
                      u"Tonehall 27",
                      {{u"Tonehall 26", u"C:\\Other\\"}, {u"Tonehall 27", u"C:\\Elsewhere"}},
                      u"",
                      u"C:\\Elsewhere\\"},
        DiscoveryCase{"ProductNameDecides",
                      u"Tonehall 27",
                      {{u"Tonehall 26", u"C:\\Other\\"}, {u"Tonehall 27", u"{build}"}},
                      u"Tonehall 26",
                      u"C:\\Other\\"},
        DiscoveryCase{"ProductNameComparesExactly", nullptr, {{u"Tonehall 26", u"C:\\Other\\"}}, u"tonehall 26", u""},
        DiscoveryCase{"EmptyPathIsNeverChosen", u"Tonehall 26", {{u"Tonehall 26", u""}}, u"", u""},
        DiscoveryCase{"NoRecords", nullptr, {}, u"", u""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Discovery, PortableMarkerBesideTheProgramMakesItsFolderTheInstallation) {
    TLProcessInfoBlock* block = TLProcessInfoBlock::Get();
    ASSERT_NE(block, nullptr);
    const TLString folder = tltest::BuildPath(u"tests\\core\\");
    const TLString marker = folder + u"Portable.dat";
    HANDLE file = CreateFileW(marker.wc(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);

    DiscoverInstallPath(*block, u"Tonehall 27", false, true);
    DeleteFileW(marker.wc());
    EXPECT_TRUE(block->GetString(TLProcessInfoBlock::kInstallFolder).EqualsNoCase(folder));
    EXPECT_TRUE(block->IsPortable());
    block->ComputeAppDataFolder();
    EXPECT_TRUE(block->GetString(TLProcessInfoBlock::kAppDataFolder).EqualsNoCase(folder + u"Application Data"));

    block->SetByte(TLProcessInfoBlock::kPortableByte, 0);
    block->ComputeAppDataFolder();
    EXPECT_TRUE(block->GetString(TLProcessInfoBlock::kAppDataFolder).EndsWith(u"\\C. Orvane\\Tonehall 27"));
}

TEST(ProcessInformationBlock, IsCreatedOnceWithItsFixedFields) {
    TLProcessInfoBlock* block = TLProcessInfoBlock::Get();
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(TLProcessInfoBlock::Get(), block);
    EXPECT_EQ(block->GetByte(TLProcessInfoBlock::kInitialisedByte), 1);
    EXPECT_EQ(block->GetUInt32(TLProcessInfoBlock::kMarker), 0x80000001u);
    EXPECT_EQ(block->GetUInt32(TLProcessInfoBlock::kInitialisingThread), GetCurrentThreadId());
    EXPECT_EQ(block->GetString(TLProcessInfoBlock::kExecutablePath),
              tltest::BuildPath(u"tests\\core\\core_windows_tests.exe"));
    EXPECT_EQ(TLProcessInfoBlock::NameFor(1234), u"Corvane Process v27 (1234)");

    // A string keeps up to 260 units and its terminating zero, and never reaches into the next field.
    block->SetString(TLProcessInfoBlock::kProgramFolder, u"C:\\Next\\");
    for (const size_t length : {259u, 260u, 400u}) {
        const TLString text(std::u16string(length, u'x'));
        block->SetString(TLProcessInfoBlock::kDataFolder, text);
        EXPECT_EQ(block->GetString(TLProcessInfoBlock::kDataFolder), text.Left(260)) << length;
        EXPECT_EQ(block->GetString(TLProcessInfoBlock::kProgramFolder), u"C:\\Next\\") << length;
    }
    EXPECT_EQ(block->GetByte(TLProcessInfoBlock::Offset(TLProcessInfoBlock::kDataFolder + 520)), 0);
    EXPECT_EQ(block->GetByte(TLProcessInfoBlock::Offset(TLProcessInfoBlock::kDataFolder + 521)), 0);
}

// Creating a block fills its fixed fields only, so that a test (or a program) decides when the
// machine's installations record is consulted.
TEST(ProcessInformationBlock, CreationLeavesDiscoveryToTheCallerWhoFinishesTheBlock) {
    tltest::RegistryCleanup cleanup(HKEY_LOCAL_MACHINE, u"Software\\C. Orvane\\Tone Core");
    ASSERT_TRUE(tltest::WriteRegistryString(HKEY_LOCAL_MACHINE, TLString(kInstallationsKey) + u"\\Tonehall 27", u"Path",
                                            Expand(u"{build}")));
    // A block of its own, under a process id no process has.
    const DWORD unused_id = 0x7FFF0000u | (GetCurrentProcessId() & 0xFFFFu);
    const std::unique_ptr<TLProcessInfoBlock> block = TLProcessInfoBlock::Open(unused_id);
    ASSERT_NE(block, nullptr);
    ASSERT_TRUE(block->InitialisedHere());
    EXPECT_EQ(block->GetString(TLProcessInfoBlock::kInstallFolder), u"");
    EXPECT_EQ(block->GetString(TLProcessInfoBlock::kAppDataFolder), u"");
    EXPECT_FALSE(block->IsReady());

    FinishProcessInfoBlock(*block);
    for (const auto offset :
         {TLProcessInfoBlock::kInstallFolder, TLProcessInfoBlock::kDataFolder, TLProcessInfoBlock::kProgramFolder})
        EXPECT_EQ(block->GetString(offset), Expand(u"{build}")) << offset;
    EXPECT_TRUE(block->GetString(TLProcessInfoBlock::kAppDataFolder).EndsWith(u"\\C. Orvane\\Tonehall 27"));
    EXPECT_TRUE(block->IsReady());

    // A finished block is not searched again.
    block->SetString(TLProcessInfoBlock::kInstallFolder, u"C:\\Kept\\");
    FinishProcessInfoBlock(*block);
    EXPECT_EQ(block->GetString(TLProcessInfoBlock::kInstallFolder), u"C:\\Kept\\");
}

}  // namespace
