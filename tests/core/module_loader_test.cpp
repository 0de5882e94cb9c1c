// The product module loader: where it looks for a module, what it keeps, and that it lets go.
#include <gtest/gtest.h>

#include <iterator>

#include "core/process/tl_process_info_block.h"
#include "core/tools/module_loader.h"
#include "core/tools/reader.h"
#include "core/tools/tools.h"
#include "tests/support/win_test_support.h"

namespace {

using tltools::TLModuleLoader;

TLString ModuleFile(HMODULE module) {
    wchar_t path[MAX_PATH * 4] = {};
    GetModuleFileNameW(module, path, MAX_PATH * 4);
    return TLString(reinterpret_cast<const char16_t*>(path));
}

TLString ToolsBuild() { return tltest::BuildPath(u"distribution/Tunevault/TLTools.dll"); }

struct SearchCase {
    const char* name;
    std::vector<const char16_t*> copies;  // where TLTools.dll lies below the scratch folder
    const char16_t* expected;             // where it is loaded from; null: not at all
};

class ModuleSearch : public ::testing::TestWithParam<SearchCase> {
protected:
    ~ModuleSearch() override { TLModuleLoader::Get().UnloadAll(); }
};

TEST_P(ModuleSearch, FindsTheToolsLibraryInTheProgramFolderThenItsX64Subfolder) {
    tltest::ScratchFolder scratch;
    for (const char16_t* copy : GetParam().copies) ASSERT_TRUE(scratch.CopyIn(ToolsBuild(), copy));
    TLModuleLoader& loader = TLModuleLoader::Get();
    const bool loaded = loader.LoadFrom(tltools::kToolsSlot, scratch.Path(u"program"));
    if (!GetParam().expected) {
        EXPECT_FALSE(loaded);
        EXPECT_EQ(tools::Interface(), nullptr);
        return;
    }
    ASSERT_TRUE(loaded);
    EXPECT_TRUE(ModuleFile(loader.Module(tltools::kToolsSlot)).EqualsNoCase(scratch.Path(GetParam().expected)));
    ASSERT_NE(tools::Interface(), nullptr);
    EXPECT_EQ(static_cast<tltools::IProductModule*>(tools::Interface()), loader.Object(tltools::kToolsSlot));
    EXPECT_TRUE(loader.LoadFrom(tltools::kToolsSlot, scratch.Path(u"elsewhere")));  // kept, not searched again

    loader.UnloadAll();
    EXPECT_EQ(tools::Interface(), nullptr);
    EXPECT_EQ(loader.Module(tltools::kToolsSlot), nullptr);
    EXPECT_EQ(GetModuleHandleW(scratch.Path(GetParam().expected).wc()), nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Places, ModuleSearch,
    ::testing::Values(SearchCase{"ProgramFolder", {u"program\\TLTools.dll"}, u"program\\TLTools.dll"},
                      SearchCase{"X64Subfolder", {u"program\\x64\\TLTools.dll"}, u"program\\x64\\TLTools.dll"},
                      SearchCase{"ProgramFolderFirst",
                                 {u"program\\TLTools.dll", u"program\\x64\\TLTools.dll"},
                                 u"program\\TLTools.dll"},
                      SearchCase{"NeitherPlace", {u"other\\TLTools.dll"}, nullptr}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ModuleLoader, LoadsTheBareNameWhenNoProgramFolderIsKnown) {
    // The build copies TLTools.dll beside the test program, where the normal module search finds it.
    TLModuleLoader& loader = TLModuleLoader::Get();
    ASSERT_TRUE(loader.LoadFrom(tltools::kToolsSlot, TLString()));
    EXPECT_TRUE(
        ModuleFile(loader.Module(tltools::kToolsSlot)).EqualsNoCase(tltest::BuildPath(u"tests/core/TLTools.dll")));
    loader.UnloadAll();
}

TEST(ModuleLoader, SearchesTheProgramFolderOfTheProcessInformationBlock) {
    tltest::ScratchFolder scratch;
    ASSERT_TRUE(scratch.CopyIn(ToolsBuild(), u"Tunevault\\TLTools.dll"));
    TLProcessInfoBlock* block = TLProcessInfoBlock::Get();
    ASSERT_NE(block, nullptr);
    const TLString before = block->GetString(TLProcessInfoBlock::kProgramFolder);
    block->SetString(TLProcessInfoBlock::kProgramFolder, scratch.Path(u"Tunevault\\"));
    TLModuleLoader& loader = TLModuleLoader::Get();
    EXPECT_TRUE(loader.Load(tltools::kToolsSlot));
    EXPECT_TRUE(ModuleFile(loader.Module(tltools::kToolsSlot)).EqualsNoCase(scratch.Path(u"Tunevault\\TLTools.dll")));
    loader.UnloadAll();
    block->SetString(TLProcessInfoBlock::kProgramFolder, before);
}

// A module without an entry export (TLWMFactory.dll) is present once loaded; a module whose entry
// export is missing is not usable.
TEST(ModuleLoader, NeedsTheEntryExportOnlyWhereTheSlotHasOne) {
    tltest::ScratchFolder scratch;
    const TLString planted = tltest::BuildPath(u"tests/app/planted_dll.dll");
    ASSERT_TRUE(scratch.CopyIn(planted, u"program\\TLWMFactory.dll"));
    ASSERT_TRUE(scratch.CopyIn(planted, u"program\\TLImage.dll"));
    TLModuleLoader& loader = TLModuleLoader::Get();
    EXPECT_TRUE(loader.LoadFrom(tltools::kWMFactorySlot, scratch.Path(u"program")));
    EXPECT_FALSE(loader.LoadFrom(tltools::kImageSlot, scratch.Path(u"program")));
    EXPECT_EQ(loader.Object(tltools::kImageSlot), nullptr);
    loader.UnloadAll();
    EXPECT_EQ(loader.Module(tltools::kWMFactorySlot), nullptr);
}

TEST(ModuleLoader, NamesTheSevenCoreLibrariesInCopyOrder) {
    const char16_t* const expected[] = {u"TLTools.dll",  u"TLImage.dll",     u"TLReader.dll",    u"TLDisc.dll",
                                        u"TLPlayer.dll", u"TLWMFactory.dll", u"TLTelevision.dll"};
    static_assert(std::size(expected) == tltools::kModuleSlotCount);
    for (size_t slot = 0; slot < tltools::kModuleSlotCount; ++slot)
        EXPECT_EQ(tltools::ModuleFileName(tltools::ModuleSlot(slot)), expected[slot]) << slot;
}

// The reader library is reached through its slot and makes readers for both kinds of address; a
// distribution without it offers none, which must not crash the caller.
TEST(ModuleLoader, ReadersComeFromTheReaderLibraryOrNotAtAll) {
    tltest::ScratchFolder scratch;
    TLProcessInfoBlock* block = TLProcessInfoBlock::Get();
    ASSERT_NE(block, nullptr);
    const TLString before = block->GetString(TLProcessInfoBlock::kProgramFolder);
    const struct {
        const char* name;
        TLString program_folder;
        bool reader_library_loads;
    } cases[] = {
        {"the sample distribution's stand-in", tltest::BuildPath(u"distribution/Tunevault/"), true},
        {"no reader library", scratch.path(), false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        block->SetString(TLProcessInfoBlock::kProgramFolder, c.program_folder);
        EXPECT_EQ(tools::CreateInternetReader(u"http://download.example.com/setup.exe") != nullptr,
                  c.reader_library_loads);
        EXPECT_EQ(tools::CreateGenericReader(u"C:\\Windows\\win.ini") != nullptr, c.reader_library_loads);
        EXPECT_EQ(TLModuleLoader::Get().Module(tltools::kReaderSlot) != nullptr, c.reader_library_loads);
        TLModuleLoader::Get().UnloadAll();
    }
    block->SetString(TLProcessInfoBlock::kProgramFolder, before);
}

}  // namespace
