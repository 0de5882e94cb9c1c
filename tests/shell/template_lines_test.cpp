// Registry template lines decided as data: expansion of the placeholders and the art files, the
// fields, roots, actions and types of a line, and the table's launcher and AutoPlay rules.
#include "shell/templates/template_lines.h"

#include <gtest/gtest.h>

#include "shell/templates/template_table.h"

namespace {

using shell::RegistryRoot;
using shell::TemplateAction;
using shell::TemplateValue;

shell::TemplatePlaceholders Placeholders() {
    shell::TemplatePlaceholders p;
    p.install_folder = u"C:\\Program Files\\Tonehall 27\\";
    p.system_folder = u"C:\\windows\\system32";
    p.current_folder = u"D:\\Setup";
    p.product_name = u"Tonehall";
    p.product_with_version = u"Tonehall.27";
    p.exe_path = u"C:\\Program Files\\Tonehall 27\\Tonehall.exe";
    p.launcher_path = u"C:\\Program Files\\Tonehall 27\\Launcher.exe";
    p.launcher_name = u"Launcher.exe";
    return p;
}

TLString Art(const TLString& name) {
    return name == u"fileimage.ico" ? TLString(u"C:\\Art\\fileimage.ico") : name;
}

TEST(TemplateLines, ExpandsEveryPlaceholderAndTheArtFiles) {
    const struct {
        std::u16string_view line, expanded;
    } cases[] = {
        {u"[AUTOPLAYKEY]Handlers\\X", u"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\AutoplayHandlers\\Handlers\\X"},
        {u"[INSTALLDIR]a|[SYSTEMDIR]|[CURRENTDIR]", u"C:\\Program Files\\Tonehall 27\\a|C:\\windows\\system32|D:\\Setup"},
        {u"[PRODUCTWITHVERSION].File [PRODUCTNAME] [PRODUCTNAME]", u"Tonehall.27.File Tonehall Tonehall"},
        {u"\"[LAUNCHERPATH]\" [LAUNCHERNAME] [EXEPATH]",
         u"\"C:\\Program Files\\Tonehall 27\\Launcher.exe\" Launcher.exe C:\\Program Files\\Tonehall 27\\Tonehall.exe"},
        {u"k|Default|\"[CUSTOMART]fileimage.ico\"|STRING|MODIFY", u"k|Default|\"C:\\Art\\fileimage.ico\"|STRING|MODIFY"},
        {u"a \"[CUSTOMART]fileimage.ico\",1 \"[CUSTOMART]fileimage.ico\"",
         u"a \"C:\\Art\\fileimage.ico\",1 \"C:\\Art\\fileimage.ico\""},
        // Up to the end of the line when no quote follows; a file no folder holds keeps its name.
        {u"icon=[CUSTOMART]fileimage.ico", u"icon=C:\\Art\\fileimage.ico"},
        {u"\"[CUSTOMART]missing.ico\"", u"\"missing.ico\""},
        {u"[UNKNOWN]", u"[UNKNOWN]"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(shell::ExpandTemplateLine(TLString(c.line), Placeholders(), Art), TLString(c.expanded)) << TLString(c.line);
}

TEST(TemplateLines, PlansValuesWithTheirRootTypeAndAction) {
    const TLStringArray lines = {
        u"a|Default|text|STRING|MODIFY",
        u"",
        u"HKEY_CURRENT_USER",
        u"b|Flags|65536|DWORD|MODIFY",
        u"b|Bad|abc|DWORD|MODIFY",
        u"b|Gone||STRING|DELETE",
        u"b|Once|x|STRING|CREATE",
        u"four|fields|only|STRING",
        u"six|fields|are|too|many|MODIFY",
        u"HKEY_LOCAL_MACHINE",
        u"c|Empty||STRING|anything",
        u"HKEY_CLASSES_ROOT",
        u"d|Default|[PRODUCTNAME]|STRING|MODIFY",
    };
    const std::vector<TemplateValue> expected = {
        {RegistryRoot::kClassesRoot, u"a", u"", false, u"text", 0, TemplateAction::kModify, false},
        {RegistryRoot::kCurrentUser, u"b", u"Flags", true, u"", 65536, TemplateAction::kModify, false},
        {RegistryRoot::kCurrentUser, u"b", u"Bad", true, u"", 0, TemplateAction::kModify, false},
        {RegistryRoot::kCurrentUser, u"b", u"Gone", false, u"", 0, TemplateAction::kDelete, false},
        {RegistryRoot::kCurrentUser, u"b", u"Once", false, u"x", 0, TemplateAction::kCreate, false},
        {RegistryRoot::kLocalMachine, u"c", u"Empty", false, u"", 0, TemplateAction::kModify, false},
        {RegistryRoot::kClassesRoot, u"d", u"", false, u"Tonehall", 0, TemplateAction::kModify, false},
    };
    EXPECT_EQ(shell::PlanTemplateLines(lines, Placeholders(), Art, false), expected);
}

TEST(TemplateLines, AutoPlayLinesAreWrittenTwiceOnlyByA32BitProcessOn64BitWindows) {
    const TLStringArray lines = {u"[AUTOPLAYKEY]Handlers\\H|Provider|p|STRING|MODIFY", u"Other|Provider|p|STRING|MODIFY"};
    for (const bool wow64 : {false, true}) {
        const std::vector<TemplateValue> values = shell::PlanTemplateLines(lines, Placeholders(), Art, wow64);
        ASSERT_EQ(values.size(), 2u);
        EXPECT_EQ(values[0].also_64bit_view, wow64);
        EXPECT_FALSE(values[1].also_64bit_view);
    }
}

size_t CountKeysStartingWith(const std::vector<TemplateValue>& values, std::u16string_view prefix) {
    size_t count = 0;
    for (const TemplateValue& value : values) count += value.key.StartsWith(prefix);
    return count;
}

TEST(TemplateTable, TheApplicationEntryNeedsALauncherAndTheFileCommandsDoNot) {
    shell::TemplatePlaceholders without = Placeholders();
    without.launcher_path.Clear();
    without.launcher_name.Clear();
    const auto with_values = shell::PlanTemplateLines(shell::BuildTemplateTable(true), Placeholders(), Art, false);
    const auto without_values = shell::PlanTemplateLines(shell::BuildTemplateTable(false), without, Art, false);
    EXPECT_EQ(CountKeysStartingWith(with_values, u"Applications\\Launcher.exe"), 5u);
    EXPECT_EQ(CountKeysStartingWith(without_values, u"Applications\\"), 0u);
    EXPECT_EQ(with_values.size(), without_values.size() + 5);
    const TemplateValue open_command{RegistryRoot::kClassesRoot, u"Tonehall.27.File\\shell\\open\\command", u"",
                                     false, u"\"\" /Play \"%L\"", 0, TemplateAction::kModify, false};
    EXPECT_NE(std::find(without_values.begin(), without_values.end(), open_command), without_values.end());
}

// Lines of each part of the table, as a person reads them in the registry afterwards.
TEST(TemplateTable, SampleLinesOfEachPart) {
    const TLStringArray table = shell::BuildTemplateTable(true);
    const std::u16string_view lines[] = {
        u"[PRODUCTWITHVERSION].File\\DefaultIcon|Default|\"[CUSTOMART]fileimage.ico\"|STRING|MODIFY",
        u"Applications\\[LAUNCHERNAME]\\shell\\Play|Default|&Play in [PRODUCTNAME]|STRING|MODIFY",
        u"[PRODUCTWITHVERSION].Pack|EditFlags|65536|DWORD|MODIFY",
        u"[PRODUCTWITHVERSION].Pack|Content Type|application/x-tunevault-qvp|STRING|MODIFY",
        u"[PRODUCTWITHVERSION].Pack\\DefaultIcon|Default|\"[INSTALLDIR]PackageInstaller.exe\",1|STRING|MODIFY",
        u"[PRODUCTWITHVERSION].Subscribe\\shell\\open\\command|Default|\"[LAUNCHERPATH]\" /Subscribe \"%L\"|STRING|MODIFY",
        u".qvs|Default|[PRODUCTWITHVERSION].Pack|STRING|MODIFY",
        u"Mime\\Database\\Content Type\\application/x-tunevault-qva|Extension|.qva|STRING|MODIFY",
        u"Software\\Netscape\\Netscape Navigator\\User Trusted External Applications|[LAUNCHERPATH]|Yes|STRING|MODIFY",
        u"[AUTOPLAYKEY]CancelAutoplay\\CLSID|21369263-6C67-4a4d-9202-B34D2A5CBC85||STRING|MODIFY",
        u"[AUTOPLAYKEY]EventHandlers\\ShowPicturesOnArrival|TLPlayMediaOnArrival||STRING|MODIFY",
        u"[AUTOPLAYKEY]Handlers\\TLMTPHandler|ProgID|Shell.HWEventHandlerShellExecute|STRING|MODIFY",
        u"[AUTOPLAYKEY]Handlers\\TLMTPHandler|InitCmdLine|\"[EXEPATH]\"|STRING|MODIFY",
        u"[AUTOPLAYKEY]Handlers\\TLRipCDOnArrival|Action|Rip an audio CD|STRING|MODIFY",
        u"[AUTOPLAYKEY]Handlers\\TLRipCDOnArrival|InvokeProgID|[PRODUCTWITHVERSION].Rip|STRING|MODIFY",
        u"[PRODUCTWITHVERSION].Start\\shell\\Start\\command|Default|\"[LAUNCHERPATH]\" /Start|STRING|MODIFY",
        u"[PRODUCTWITHVERSION].PlayMedia\\shell\\Start\\command|Default|\"[LAUNCHERPATH]\" /Play \"%L\"|STRING|MODIFY",
        u"SOFTWARE\\Microsoft\\Keyboard\\Native Media Players\\[PRODUCTNAME]|ExePath|[EXEPATH]|STRING|MODIFY",
    };
    for (const std::u16string_view line : lines) EXPECT_NE(table.Find(line), TLString::npos) << TLString(line);
    // The MTP handler's start command comes last among its lines; other handlers have none.
    const size_t init = table.Find(lines[12]);
    EXPECT_EQ(table[init - 1], u"[AUTOPLAYKEY]Handlers\\TLMTPHandler|Provider|[PRODUCTNAME]|STRING|MODIFY");
}

}  // namespace
