// The copy phase's decisions as plain functions: which file is copied, what a failed copy means,
// what waits for the next start and where a COM server is registered.
#include <gtest/gtest.h>

#include "engine/copy/copy_rules.h"
#include "engine/pending/pending_records.h"

namespace {

using engine::CopyMode;

TEST(VersionRule, ReplacesOnlyOlderFilesInCheckVersionMode) {
    constexpr uint64_t v1 = 0x0001000000000000, v2 = 0x0002000000000000, v2_0_0_1 = 0x0002000000000001;
    struct Case {
        const char* what;
        CopyMode mode;
        const char16_t* path;
        uint64_t source, destination;
        bool readable, copy;
    } cases[] = {
        {"installed older", CopyMode::kCheckVersion, u"C:\\d\\a.dll", v2, v1, true, true},
        {"same version", CopyMode::kCheckVersion, u"C:\\d\\a.dll", v2, v2, true, false},
        {"installed newer", CopyMode::kCheckVersion, u"C:\\d\\a.dll", v2, v2_0_0_1, true, false},
        {"installed without version", CopyMode::kCheckVersion, u"C:\\d\\a.ocx", v1, 0, true, true},
        {"nothing installed", CopyMode::kCheckVersion, u"C:\\d\\a.exe", v1, 0, true, true},
        {"unversioned source", CopyMode::kCheckVersion, u"C:\\d\\a.ax", 0, 0, true, false},
        {"extension in capitals", CopyMode::kCheckVersion, u"C:\\d\\MSVCP140.DLL", v1, v2, true, false},
        {"extension that is not the last", CopyMode::kCheckVersion, u"C:\\d\\a.dll.txt", v1, v2, true, true},
        {"not a versioned kind", CopyMode::kCheckVersion, u"C:\\d\\readme.txt", 0, 0, true, true},
        {"version functions missing", CopyMode::kCheckVersion, u"C:\\d\\a.dll", v1, v2, false, true},
        {"always overwrite", CopyMode::kAlwaysOverwrite, u"C:\\d\\a.dll", v1, v2, true, true},
        {"font", CopyMode::kFont, u"C:\\d\\a.dll", v1, v2, true, true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(engine::ShouldCopy(c.mode, c.path, {c.source, c.destination, c.readable}), c.copy) << c.what;
}

TEST(CopyFailure, OnlyAFileHeldByAProgramWaitsForTheNextStart) {
    for (uint32_t error : {32u, 33u, 1224u}) EXPECT_EQ(engine::ClassifyCopyError(error), engine::CopyFailure::kInUse);
    // Access denied, file not found, disk full, handle disk full: the install has failed unless retried.
    for (uint32_t error : {5u, 2u, 112u, 39u})
        EXPECT_EQ(engine::ClassifyCopyError(error), engine::CopyFailure::kFailed) << error;
}

TEST(CopyDeferral, NeedsARestartExceptForTheShellExtensionAndFonts) {
    struct Case {
        const char16_t *source, *destination;
        bool shell_extension_waits, restart;
    } cases[] = {
        {u"D:\\dist\\Tunevault\\Tonehall.exe", u"C:\\Tonehall\\Tonehall.exe", false, true},
        {u"D:\\dist\\Tunevault\\tlshellext.DLL", u"C:\\Tonehall\\TLShellExt.dll", true, false},
        {u"D:\\dist\\Fonts\\Tone.ttf", u"C:\\windows\\fonts\\Tone.ttf", false, false},
        {u"D:\\dist\\System\\Always Overwrite\\a.dll", u"C:\\windows\\system32\\a.dll", false, true},
    };
    for (const auto& c : cases) {
        const engine::DeferralEffect effect = engine::EffectOfDeferral(c.source, c.destination);
        EXPECT_EQ(effect.shell_extension_waits, c.shell_extension_waits) << TLString(c.source);
        EXPECT_EQ(effect.restart_required, c.restart) << TLString(c.source);
    }
}

TEST(RegistrationRoute, FollowsTheFileKindAndWhetherItsCopyWaits) {
    using engine::RegistrationRoute;
    struct Case {
        const char16_t* source;
        bool deferred, collecting;
        RegistrationRoute route;
    } cases[] = {
        {u"C:\\d\\Server.dll", false, true, RegistrationRoute::kRegisterList},
        {u"C:\\d\\FOO.DLL", false, true, RegistrationRoute::kRegisterList},
        {u"C:\\d\\Filter.Ax", false, true, RegistrationRoute::kRegisterList},
        {u"C:\\d\\Control.ocx", false, false, RegistrationRoute::kRegisterAtOnce},
        {u"C:\\d\\Server.dll", true, true, RegistrationRoute::kPendingList},
        {u"C:\\d\\Server.dll", true, false, RegistrationRoute::kPendingList},
        {u"C:\\d\\a.dll.txt", false, true, RegistrationRoute::kNone},
        {u"C:\\d.dll\\readme.txt", false, true, RegistrationRoute::kNone},
        {u"C:\\d\\Tonehall.exe", false, true, RegistrationRoute::kNone},
        {u"C:\\d\\TLShellExt.dll", false, true, RegistrationRoute::kNone},
        {u"C:\\d\\TLShellExt.dll", true, true, RegistrationRoute::kNone},
    };
    for (const auto& c : cases)
        EXPECT_EQ(engine::RouteRegistration(c.source, c.deferred, c.collecting), c.route) << TLString(c.source);
}

TEST(CopyProgress, CountsBytesIn64BitsAndEndsFullWhenThereIsNothingToCopy) {
    EXPECT_EQ(engine::PercentDone(0, 0), 100);
    EXPECT_EQ(engine::PercentDone(0, 200), 0);
    EXPECT_EQ(engine::PercentDone(50, 200), 25);
    constexpr uint64_t five_gb = 5ull << 30;
    EXPECT_EQ(engine::PercentDone(five_gb / 2, five_gb), 50);
    EXPECT_EQ(engine::PercentDone(five_gb, five_gb), 100);
}

TEST(Staging, KeepsTheSourcesPathSoThatSameNamedFilesNeverMeet) {
    const TLString root = u"D:\\dist\\";
    const TLString a = engine::StagingCandidate(u"C:\\Tonehall\\", root, u"D:\\dist\\Tunevault\\Plugins\\x.dll");
    const TLString b = engine::StagingCandidate(u"C:\\Tonehall\\", root, u"D:\\dist\\Tunevault\\Skins\\x.dll");
    EXPECT_EQ(a, u"C:\\Tonehall\\Setup\\Tunevault\\Plugins\\x.dll");
    EXPECT_EQ(b, u"C:\\Tonehall\\Setup\\Tunevault\\Skins\\x.dll");
    EXPECT_EQ(engine::StagingCandidate(u"C:\\Tonehall\\", root, u"E:\\elsewhere\\y.dll"),
              u"C:\\Tonehall\\Setup\\y.dll");
}

TEST(PendingRecords, JoinTheirTwoPartsWithABar) {
    EXPECT_EQ(engine::ReplaceRecord(u"C:\\T\\Setup\\a.dll", u"C:\\T\\a.dll"), u"C:\\T\\Setup\\a.dll|C:\\T\\a.dll");
    EXPECT_EQ(engine::ReplaceRecord(u"C:\\T\\Setup\\p.qvp", u""), u"C:\\T\\Setup\\p.qvp|");
    EXPECT_EQ(engine::DeleteRecord(u"C:\\T\\old.dll"), u"_DELETEFILE|C:\\T\\old.dll");
    EXPECT_EQ(engine::RegisterRecord(u"C:\\T\\a.dll"), u"_REGISTERFILE|C:\\T\\a.dll");
}

}  // namespace
