// Player plug-ins: the kind each set of exports stands for, and the records written per kind.

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "package/plugins/plugin_records.h"

namespace {

using package::PluginFacts;
using package::PluginKind;
using package::PluginRecord;

const std::set<std::string> kGirder = {"gir_open",    "gir_close",       "gir_start",   "gir_stop",
                                       "gir_config",  "gir_info",        "gir_name",    "gir_description",
                                       "gir_version", "gir_requested_api", "gir_devicenum", "gir_compare"};

PluginKind Recognise(const std::set<std::string>& exports) {
    return package::RecognisePlugin([&](const char* name) { return exports.count(name) != 0; });
}

TEST(PluginKindTest, ExportsTellTheKind) {
    std::set<std::string> girder_missing_one = kGirder;
    girder_missing_one.erase("gir_compare");
    const struct {
        std::set<std::string> exports;
        PluginKind kind;
    } cases[] = {
        {{"winampVisGetHeader"}, PluginKind::kWinampVisualization},
        // A visualisation that also offers a DSP header is still refused.
        {{"winampVisGetHeader", "winampDSPGetHeader2"}, PluginKind::kWinampVisualization},
        {{"winampDSPGetHeader2"}, PluginKind::kWinampDsp},
        {{"winampGetInModule2"}, PluginKind::kInput},
        {{"GetInputSource"}, PluginKind::kInput},
        {{"VSTPluginMain"}, PluginKind::kVstEffect},
        {{"main"}, PluginKind::kVstEffect},
        {{"GetPluginFactory", "InitDll", "ExitDll"}, PluginKind::kVstEffect},
        {{"GetPluginFactory", "InitDll"}, PluginKind::kUnsupported},
        {kGirder, PluginKind::kGirder},
        {girder_missing_one, PluginKind::kUnsupported},
        {{"DllRegisterServer"}, PluginKind::kUnsupported},
        {{}, PluginKind::kUnsupported},
    };
    for (const auto& c : cases) EXPECT_EQ(Recognise(c.exports), c.kind) << *c.exports.begin();
}

const PluginRecord* Find(const std::vector<PluginRecord>& records, std::u16string_view section) {
    for (const PluginRecord& record : records)
        if (record.section == section) return &record;
    return nullptr;
}

TLString Value(const PluginRecord& record, std::u16string_view name) {
    for (const package::RecordValue& value : record.values)
        if (value.name == name) return value.is_integer ? TLString::Format(u"%d", static_cast<int>(value.number)) : value.text;
    return u"<missing>";
}

TEST(PluginRecordsTest, InputPluginGetsOneGroupPerExtensionAndDropsTheOldPath) {
    PluginFacts facts{.kind = PluginKind::kInput, .path = u"C:\\P\\Plugins\\in_night.dll", .name = u"",
                      .description = u"Night decoder", .extensions = u"nit; .nt2;;", .file_description = u"Night files"};
    const std::vector<PluginRecord> records = package::PluginRecords(facts);
    for (std::u16string_view section : {u"Plugins\\Input\\nit", u"Plugins\\Input\\nt2"}) {
        const PluginRecord* record = Find(records, section);
        ASSERT_NE(record, nullptr) << TLString(section).ToUtf8();
        EXPECT_EQ(Value(*record, u"Path"), u"C:\\P\\Plugins\\in_night.dll");
        EXPECT_EQ(Value(*record, u"Plugin Description"), u"Night decoder");
        EXPECT_EQ(Value(*record, u"File Description"), u"Night files");
        EXPECT_EQ(Value(*record, u"Name"), u"Unknown input plug-in");
        EXPECT_EQ(Value(*record, u"IVersion"), u"4");
        EXPECT_EQ(record->deleted, std::vector<TLString>{u"strPath"});
    }
    const PluginRecord* uninstall = Find(records, u"Plugins\\Uninstall\\in_night.dll");
    ASSERT_NE(uninstall, nullptr);
    EXPECT_EQ(Value(*uninstall, u"Path"), u"C:\\P\\Plugins\\in_night.dll");
    EXPECT_EQ(Value(*uninstall, u"Sections"), u"Plugins\\Input\\nit|Plugins\\Input\\nt2");
    EXPECT_EQ(records.size(), 3u);
}

TEST(PluginRecordsTest, EachOtherKindWritesItsGroup) {
    const struct {
        PluginFacts facts;
        std::u16string_view section;
        std::vector<std::pair<std::u16string_view, std::u16string_view>> values;
    } cases[] = {
        {{.kind = PluginKind::kWinampDsp, .path = u"C:\\dsp_echo.dll", .name = u"Echo", .description = u"Echo v2"},
         u"Plugins\\DSP\\Echo",
         {{u"Path", u"C:\\dsp_echo.dll"}, {u"Description", u"Echo v2"}, {u"IVersion", u"1"}}},
        {{.kind = PluginKind::kVstEffect, .path = u"C:\\Hall.dll", .name = u"Hall"},
         u"Plugins\\DSP\\Hall",
         {{u"Path", u"C:\\Hall.dll"}, {u"Description", u"Hall (VST Plugin)"}, {u"IVersion", u"1"}}},
        // A name with a backslash stays one group.
        {{.kind = PluginKind::kGirder, .path = u"C:\\gir.dll", .name = u"IR\\Pad", .version = u"1.2"},
         u"Plugins\\RemoteControl\\IR_Pad",
         {{u"GirderPlugin", u"1"}, {u"IVersion", u"2"}, {u"Company", u"Girder"}, {u"Version", u"1.2"},
          {u"URL", package::kGirderUrl}, {u"Copyright", u"Plugin Author"}, {u"Filename", u"C:\\gir.dll"},
          {u"Configurable", u"1"}}},
    };
    for (const auto& c : cases) {
        const std::vector<PluginRecord> records = package::PluginRecords(c.facts);
        ASSERT_EQ(records.size(), 2u) << TLString(c.section).ToUtf8();
        EXPECT_EQ(records[0].section, c.section);
        EXPECT_EQ(records[0].values.size(), c.values.size());
        for (const auto& [name, value] : c.values) EXPECT_EQ(Value(records[0], name), value) << TLString(name).ToUtf8();
        EXPECT_EQ(Value(records[1], u"Sections"), c.section);
    }
}

TEST(PluginRecordsTest, RefusedKindsWriteNothing) {
    EXPECT_TRUE(package::PluginRecords({.kind = PluginKind::kWinampVisualization, .path = u"C:\\vis.dll"}).empty());
    EXPECT_TRUE(package::PluginRecords({.kind = PluginKind::kUnsupported, .path = u"C:\\x.dll"}).empty());
}

}  // namespace
