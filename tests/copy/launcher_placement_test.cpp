// Which launcher the copy phase puts into the destination itself: only when startup could not put
// it among the distribution's program files (read-only media), and never over what they bring.
#include <gtest/gtest.h>

#include <set>

#include "engine/install/launcher_placement.h"

namespace {

constexpr char16_t kSource[] = u"D:\\Tonehall\\";
constexpr char16_t kNeutral[] = u"D:\\Tonehall\\System\\Always Overwrite\\Tone Core Launcher.exe";
constexpr char16_t kRenamed[] = u"D:\\Tonehall\\System\\Always Overwrite\\Tonehall Launcher.exe";
constexpr char16_t kProgramCopy[] = u"D:\\Tonehall\\Tunevault\\Tonehall Launcher.exe";

TEST(LauncherPlacement, CopiesTheLauncherOnlyWhereStartupCouldNotPlaceIt) {
    struct Case {
        const char* what;
        std::set<std::u16string> files;
        const char16_t* launcher_name;
        const char16_t* expected;
    } cases[] = {
        {"writable media: the program files bring it", {kRenamed, kProgramCopy}, u"Tonehall Launcher.exe", u""},
        {"read-only media: neither renamed nor copied", {kNeutral}, u"Tonehall Launcher.exe", kNeutral},
        {"renamed, but the program folder was read-only", {kRenamed}, u"Tonehall Launcher.exe", kRenamed},
        {"renamed on an earlier run, both names there", {kNeutral, kRenamed}, u"Tonehall Launcher.exe", kRenamed},
        {"a distribution without a launcher", {}, u"Tonehall Launcher.exe", u""},
        {"a product that names no launcher", {kNeutral}, u"", u""},
    };
    for (const Case& c : cases) {
        const auto exists = [&](const TLString& path) { return c.files.count(std::u16string(path.view())) > 0; };
        EXPECT_EQ(engine::LauncherToPlace(TLString(kSource), TLString(c.launcher_name), exists), c.expected) << c.what;
    }
}

}  // namespace
