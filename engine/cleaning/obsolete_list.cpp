#include "engine/cleaning/obsolete_list.h"

#include "core/path/path_parts.h"

namespace engine {
namespace {

constexpr const char16_t* kBuiltInEntries[] = {
    u"Plugins\\in_legacycd.dll",
    u"Plugins\\in_mod_old.dll",
    u"Plugins\\gen_tray.dll",
    u"Plugins\\gen_hotkeys.dll",
    u"Plugins\\dsp_reverb.dll",
    u"Plugins\\out_directsound_old.dll",
    u"Visualization\\vis_spectrum.dll",
    u"Visualization\\vis_oscilloscope.dll",
    u"Visualization\\vis_waveform.dll",
    u"Visualization\\vis_milkdrop1.dll",
    u"Server\\Images\\default_album.jpg",
    u"Server\\Images\\default_artist.jpg",
    u"Server\\Images\\default_genre.jpg",
    u"Server\\Images\\default_folder.jpg",
    u"TLWebComponent.dll",
    u"TLBrowserHost.ocx",
    u"Filters\\TLSourceFilter.ax",
    u"TLTVControl.dll",
    u"Web\\",
    u"Skins\\Lounge View\\Themes\\Classic\\",
    u"Filters\\VideoDecoder32\\",
    u"Filters\\VideoDecoder64\\",
};

}  // namespace

std::span<const char16_t* const> BuiltInObsoleteEntries() { return kBuiltInEntries; }

TLStringArray ConfiguredObsoletePaths(const TLString& list, const TLString& install_folder) {
    TLStringArray paths;
    for (const TLString& entry : TLStringArray::FromList(list))
        paths.Add(tlpath::HasDriveOrServer(entry) ? entry : install_folder + entry);
    return paths;
}

bool HoldsProduct(const ProductFolderFacts& facts) {
    return facts.main_program_present || facts.portable_marker_present || facts.named_by_installations_record ||
           facts.named_by_uninstall_entry;
}

}  // namespace engine
