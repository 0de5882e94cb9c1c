#pragma once
// Player plug-ins: which kind a library is, told by the functions it exports, and the settings records
// that make it usable by the product. Decided without Windows; CInstallWAPlugin loads the library and
// writes what these give.

#include <cstdint>
#include <functional>
#include <vector>

#include "core/string/tl_string.h"

namespace package {

enum class PluginKind {
    kUnsupported,
    kWinampVisualization,  // recognised only to be refused
    kWinampDsp,
    kInput,  // Winamp input plug-ins and the product's own
    kVstEffect,
    kGirder,
};

// The interface version an input plug-in must report.
inline constexpr int kRequiredInputVersion = 4;

// `has_export` answers whether the library exports the function of that name.
PluginKind RecognisePlugin(const std::function<bool(const char*)>& has_export);

// What the library told about itself, gathered for the records.
struct PluginFacts {
    PluginKind kind = PluginKind::kUnsupported;
    TLString path;              // the library's full path
    TLString name;              // plug-in, effect or Girder name
    TLString description;       // the plug-in's own description
    TLString extensions;        // input plug-ins: ";"-separated extensions
    TLString file_description;  // input plug-ins: what kind of files they play
    TLString version;           // Girder plug-ins
};

struct RecordValue {
    TLString name;
    TLString text;
    bool is_integer = false;
    int64_t number = 0;
};

// One settings section with the values to write into it, and the values of older layouts to delete.
struct PluginRecord {
    TLString section;
    std::vector<RecordValue> values;
    std::vector<TLString> deleted = {};
};

// The records of the plug-in, then its bookkeeping in "Plugins\Uninstall": one section per library,
// named after its file name, holding "Path" and "Sections" (the record sections, "|"-separated) so
// that an uninstall removes exactly what the registration wrote. Empty for an unsupported kind.
std::vector<PluginRecord> PluginRecords(const PluginFacts& facts);

// The vendor address written into Girder records.
inline constexpr char16_t kGirderUrl[] = u"http://www.girder.nl";

}  // namespace package
