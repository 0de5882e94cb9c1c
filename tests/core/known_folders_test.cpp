// The folders Windows knows by name, and the buffer that grows to whatever Windows answers.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <optional>
#include <string>

#include "core/windows/file_attributes.h"
#include "core/windows/growing_buffer.h"
#include "core/windows/known_folders.h"

namespace {

using tlwin::KnownFolder;
using tlwin::KnownFolderPath;

TEST(KnownFolders, NameExistingFoldersWithOneTrailingBackslash) {
    const TLString windows = KnownFolderPath(KnownFolder::kWindows);
    const struct {
        KnownFolder folder;
        TLString expected;  // empty: only that it exists
    } cases[] = {
        {KnownFolder::kWindows, TLString()},         {KnownFolder::kSystem, windows + u"system32\\"},
        {KnownFolder::kFonts, windows + u"Fonts\\"}, {KnownFolder::kTemporary, TLString()},
        {KnownFolder::kRoamingAppData, TLString()},
    };
    for (const auto& c : cases) {
        const TLString path = KnownFolderPath(c.folder);
        EXPECT_TRUE(path.EndsWith(u"\\") && !path.EndsWith(u"\\\\")) << path;
        EXPECT_TRUE(tlwin::FolderExists(path)) << path;
        if (!c.expected.empty()) {
            EXPECT_TRUE(path.EqualsNoCase(c.expected)) << path;
        }
    }
    EXPECT_FALSE(KnownFolderPath(KnownFolder::kMusic).empty());
}

// Windows' own folders cannot be made long on demand (FullPath's test reads a long answer from Windows
// through the same loop); here the answer is a stand-in that is longer than the first buffer, grows
// once more while it is read, or fails.
TEST(GrowingBuffer, ReadsAnswersOfAnyLengthAndFailures) {
    std::u16string answer(700, u'x');
    int calls = 0;
    const auto call = [&](wchar_t* buffer, DWORD capacity) -> DWORD {
        ++calls;
        if (answer.empty()) return 0;
        if (capacity <= answer.size()) {
            const DWORD needed = static_cast<DWORD>(answer.size() + 1);
            if (calls == 1) answer += std::u16string(300, u'y');  // it changed between two calls
            return needed;
        }
        std::copy(answer.begin(), answer.end(), reinterpret_cast<char16_t*>(buffer));
        buffer[answer.size()] = L'\0';
        return static_cast<DWORD>(answer.size());
    };
    const std::optional<TLString> read = tlwin::ReadGrowing(call);
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(read->length(), 1000u);
    EXPECT_EQ(calls, 3);

    answer.clear();
    EXPECT_FALSE(tlwin::ReadGrowing(call).has_value());
}

}  // namespace
