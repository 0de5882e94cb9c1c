// What the uninstaller decides from an install record: which paths are the product's to remove, the
// order of the undo steps, and when a value is put back.
#include <gtest/gtest.h>

#include "product/uninstall/uninstall_plan.h"

namespace {

using journal::Entry;
using journal::EntryKind;
using journal::PathEntry;
using uninstall::StepKind;

uninstall::ProductPlaces Places() {
    uninstall::ProductPlaces places;
    places.destination = u"C:\\Program Files\\Corvane\\Tonehall 27\\";
    places.system_folder = u"C:\\windows\\system32\\";
    places.fonts_folder = u"C:\\windows\\Fonts\\";
    places.start_menu_folder = u"C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\Tonehall\\";
    places.desktop_folder = u"C:\\users\\Public\\Desktop\\";
    places.quick_launch_folder = u"C:\\users\\me\\AppData\\Roaming\\Microsoft\\Internet Explorer\\Quick Launch\\";
    return places;
}

TEST(UninstallPlan, RemovesOnlyWhatLiesInTheProductsPlaces) {
    struct Case {
        const char16_t* path;
        bool is_folder;
        bool product;
    };
    const Case cases[] = {
        {u"C:\\Program Files\\Corvane\\Tonehall 27\\Tonehall.exe", false, true},
        {u"c:\\program files\\corvane\\tonehall 27\\Data\\Skins\\a.tlskin", false, true},
        {u"C:\\Program Files\\Corvane\\Tonehall 27\\", true, true},
        {u"C:\\Program Files\\Corvane\\Tonehall 27", true, true},
        // A folder made above the destination for it goes when empty; a file there is not the product's.
        {u"C:\\Program Files\\Corvane\\", true, true},
        {u"C:\\Program Files\\Corvane\\readme.txt", false, false},
        {u"C:\\Program Files\\Corvane\\Tonehall 2", true, false},
        {u"C:\\Program Files\\Corvane\\Tonehall 27 Old\\a.dll", false, false},
        {u"C:\\Program Files\\Corvane\\Tonehall 27\\..\\..\\..\\windows\\win.ini", false, false},
        {u"C:\\Program Files\\Corvane\\Tonehall 27\\...\\x", false, false},
        {u"C:\\Program Files\\Corvane\\Tonehall 27\\.\\a.dll", false, false},
        {u"C:\\Program Files\\Corvane\\Tonehall 27/../../x.dll", false, false},
        {u"Program Files\\Corvane\\Tonehall 27\\a.dll", false, false},
        {u"\\\\server\\share\\Tonehall 27\\a.dll", false, false},
        {u"C:\\windows\\", true, false},
        {u"C:\\windows", true, false},
        {u"C:\\windows\\win.ini", false, false},
        {u"C:\\windows\\system32\\TLSystem.dll", false, true},
        {u"C:\\windows\\system32\\", true, false},
        {u"C:\\windows\\system32\\drivers\\etc\\hosts", false, false},
        {u"C:\\windows\\Fonts\\Tone.ttf", false, true},
        {u"C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\Tonehall\\", true, true},
        {u"C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\Tonehall\\Uninstall Tonehall.lnk", false, true},
        {u"C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\Other\\Other.lnk", false, false},
        {u"C:\\users\\Public\\Desktop\\Tonehall.lnk", false, true},
        {u"C:\\users\\Public\\Desktop\\notes.txt", false, false},
        {u"C:\\users\\Public\\Desktop\\", true, false},
        {u"C:\\users\\me\\AppData\\Roaming\\Microsoft\\Internet Explorer\\Quick Launch\\Tonehall.lnk", false, true},
        {u"C:\\", true, false},
        {u"", false, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(uninstall::IsProductPath(c.path, c.is_folder, Places()), c.product) << TLString(c.path).ToUtf8();

    // Unknown places allow nothing, not even below an empty prefix.
    EXPECT_FALSE(uninstall::IsProductPath(u"C:\\a\\b.dll", false, uninstall::ProductPlaces{}));
}

TEST(UninstallPlan, UndoesLastChangeFirstAndLeavesOthersAlone) {
    const TLString folder = u"C:\\Program Files\\Corvane\\Tonehall 27\\";
    const std::vector<Entry> record = {
        PathEntry(EntryKind::kCreatedFolder, folder),
        PathEntry(EntryKind::kCreatedFile, folder + u"Tonehall.exe"),
        PathEntry(EntryKind::kCreatedFolder, u"C:\\windows\\"),
        PathEntry(EntryKind::kCreatedFile, u"C:\\windows\\win.ini"),
        PathEntry(EntryKind::kReplacedFile, folder + u"TLTools.dll"),
        journal::RegistryEntry(EntryKind::kCreatedKey, u"HKLM", u"Software\\Classes\\.tone"),
        journal::RegistryEntry(EntryKind::kRegistryValue, u"HKLM", u"Software\\Classes\\.tone", u"", {}),
        journal::RegistryEntry(EntryKind::kRegistryValue, u"HKU", u"S-1-5-18\\X", u"", {}),
        PathEntry(EntryKind::kCreatedFile, u"C:\\windows\\Fonts\\Tone.ttf"),
        PathEntry(EntryKind::kAnnouncedFont, u"C:\\windows\\Fonts\\Tone.ttf"),
    };
    std::vector<uninstall::Step> steps = uninstall::PlanUninstall(record, Places());
    // The library the uninstall deletes takes its own registration back before anything goes.
    ASSERT_FALSE(steps.empty());
    EXPECT_EQ(steps[0].kind, StepKind::kUnregisterServer);
    EXPECT_EQ(steps[0].entry.path, folder + u"TLTools.dll");
    steps.erase(steps.begin());
    const StepKind expected[] = {StepKind::kTakeBackFont, StepKind::kDeleteFile,  StepKind::kLeaveAlone,
                                 StepKind::kRestoreValue, StepKind::kDeleteKey,   StepKind::kDeleteFile,
                                 StepKind::kLeaveAlone,   StepKind::kLeaveAlone,  StepKind::kDeleteFile,
                                 StepKind::kRemoveFolder};
    ASSERT_EQ(steps.size(), std::size(expected));
    for (size_t i = 0; i < steps.size(); ++i) {
        EXPECT_EQ(steps[i].kind, expected[i]) << i;
        EXPECT_EQ(steps[i].entry, record[record.size() - 1 - i]) << i;
        EXPECT_EQ(steps[i].kind == StepKind::kLeaveAlone, !steps[i].reason.empty()) << i;
    }
}

TEST(UninstallPlan, SystemFilesStayWhenTheyWereThereBeforeOrAnotherProductRemains) {
    const Entry created = PathEntry(EntryKind::kCreatedFile, u"C:\\windows\\system32\\TLSystem.dll");
    const Entry replaced = PathEntry(EntryKind::kReplacedFile, u"C:\\windows\\system32\\msvcp.dll");
    const Entry own = PathEntry(EntryKind::kReplacedFile, u"C:\\Program Files\\Corvane\\Tonehall 27\\a.dll");
    uninstall::ProductPlaces places = Places();
    const auto kinds = [](const std::vector<uninstall::Step>& steps) {
        std::vector<std::pair<StepKind, TLString>> kinds;
        for (const uninstall::Step& step : steps) kinds.emplace_back(step.kind, step.entry.path);
        return kinds;
    };
    // Only the libraries that go take their registration back.
    EXPECT_EQ(kinds(uninstall::PlanUninstall({own, replaced, created}, places)),
              (std::vector<std::pair<StepKind, TLString>>{{StepKind::kUnregisterServer, created.path},
                                                          {StepKind::kUnregisterServer, own.path},
                                                          {StepKind::kDeleteFile, created.path},
                                                          {StepKind::kLeaveAlone, replaced.path},
                                                          {StepKind::kDeleteFile, own.path}}));
    places.system_files_shared = true;
    EXPECT_EQ(kinds(uninstall::PlanUninstall({own, created}, places)),
              (std::vector<std::pair<StepKind, TLString>>{{StepKind::kUnregisterServer, own.path},
                                                          {StepKind::kLeaveAlone, created.path},
                                                          {StepKind::kDeleteFile, own.path}}));
}

TEST(UninstallPlan, AValueGoesBackUnlessAnotherProgramChangedIt) {
    using uninstall::ValueUndo;
    const journal::ValueState none;
    const journal::ValueState other{true, 1, {u'o', 0, 0, 0}};
    const journal::ValueState ours{true, 1, {u't', 0, 0, 0}};
    const journal::ValueState third{true, 1, {u'x', 0, 0, 0}};
    journal::ValueState ours_as_expandable = ours;
    ours_as_expandable.type = 2;
    journal::ValueState binary_backup = other;
    binary_backup.type = 3;
    Entry replaced = journal::RegistryEntry(EntryKind::kRegistryValue, u"HKLM", u"Software\\Classes\\.mp3", u"", other);
    replaced.written = ours;
    Entry created = journal::RegistryEntry(EntryKind::kRegistryValue, u"HKLM", u"Software\\Classes\\.tone", u"", none);
    created.written = ours;
    // A reinstall found the product's own value; the backup still has the other program's.
    Entry reinstalled = journal::RegistryEntry(EntryKind::kRegistryValue, u"HKLM", u"Software\\Classes\\.mp3", u"", ours);
    reinstalled.written = ours;
    Entry unknown_written = replaced;
    unknown_written.written.reset();
    struct Case {
        const char* what;
        const Entry& entry;
        journal::ValueState now, backup;
        ValueUndo expected;
    };
    const Case cases[] = {
        {"ours replaced another's", replaced, ours, none, ValueUndo::kPutBack},
        {"ours where there was none", created, ours, none, ValueUndo::kPutBack},
        {"changed since", replaced, third, none, ValueUndo::kChangedSince},
        {"deleted since", replaced, none, none, ValueUndo::kChangedSince},
        {"same text, other type", replaced, ours_as_expandable, none, ValueUndo::kChangedSince},
        {"the other program took it back", replaced, other, none, ValueUndo::kAsBefore},
        {"backup of a reinstall", reinstalled, ours, other, ValueUndo::kPutBackup},
        {"backup, but changed since", replaced, third, other, ValueUndo::kChangedSince},
        {"a backup that is no string", reinstalled, ours, binary_backup, ValueUndo::kAsBefore},
        {"an older record cannot tell", unknown_written, third, none, ValueUndo::kPutBack},
    };
    for (const Case& c : cases) EXPECT_EQ(uninstall::DecideValueUndo(c.entry, c.now, c.backup), c.expected) << c.what;
}

}  // namespace

namespace {

// A plug-in's bookkeeping names the sections its registration wrote; only plug-in records among them
// go, so that a changed or crafted value cannot take other settings with it.
TEST(UninstallPlan, PluginRecordsGoButNothingElseTheBookkeepingNames) {
    struct Case {
        const char16_t* sections;
        std::vector<TLString> removed;
    };
    const Case cases[] = {
        {u"Plugins\\Input\\tha|plugins\\Input\\thl",
         {u"Plugins\\Input\\tha", u"plugins\\Input\\thl", u"Plugins\\Uninstall\\in_x.dll"}},
        {u" Plugins\\DSP\\Echo ", {u"Plugins\\DSP\\Echo", u"Plugins\\Uninstall\\in_x.dll"}},
        {u"", {u"Plugins\\Uninstall\\in_x.dll"}},
        {u"Plugins|Plugins\\|Plugins\\Input|Plugins\\Input\\|Plugins\\..\\Library|Plugins\\Input\\..|"
         u"Plugins\\.\\x|Plugins\\Uninstall\\other.dll|Library\\Main|Plugins/Input/x|Plugins\\\\x",
         {u"Plugins\\Uninstall\\in_x.dll"}},
    };
    for (const Case& test : cases)
        EXPECT_EQ(uninstall::PluginSectionsToRemove({u"in_x.dll", u"C:\\T\\in_x.dll", test.sections}), test.removed)
            << TLString(test.sections);
    // A bookkeeping name that is no one section name is not followed.
    EXPECT_EQ(uninstall::PluginSectionsToRemove({u"..", u"C:\\T\\in_x.dll", u"Plugins\\Input\\tha"}),
              std::vector<TLString>{u"Plugins\\Input\\tha"});
}

}  // namespace
