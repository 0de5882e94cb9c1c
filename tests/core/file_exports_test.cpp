// Export lookups in DLL files the toolchain built.
#include <gtest/gtest.h>

#include "core/windows/file_exports.h"
#include "tests/support/win_test_support.h"

namespace {

using tlpe::ExportLookup;

TEST(FileExports, TellsACOMServerFromAPlainDllAndAnythingElse) {
    tltest::ScratchFolder scratch;
    ASSERT_TRUE(scratch.WriteFile(u"notes.dll", "not a program"));
    const struct {
        TLString path;
        ExportLookup expected;
    } cases[] = {
        {tltest::BuildPath(u"tests/engine/fixtures/TestComServer.dll"), ExportLookup::kFound},
        {tltest::BuildPath(u"tests/engine/fixtures/NoExports.dll"), ExportLookup::kMissing},
        {tltest::BuildPath(u"tests/engine/fixtures/ExitWithCode.exe"), ExportLookup::kMissing},
        {scratch.Path(u"notes.dll"), ExportLookup::kNotReadable},
        {scratch.Path(u"missing.dll"), ExportLookup::kNotReadable},
    };
    for (const auto& c : cases) EXPECT_EQ(tlwin::FindFileExport(c.path, "DllRegisterServer"), c.expected) << c.path;
}

}  // namespace
