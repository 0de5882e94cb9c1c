#include "wizard/rules/association_rules.h"

#include <algorithm>

namespace wizard_rules {
namespace {

bool Holds(const TLStringArray& types, const TLString& type) { return types.Find(type, true) != TLString::npos; }

}  // namespace

RememberedSelection ReadRememberedSelection(const TLString& stored) {
    RememberedSelection selection;
    selection.remembered = stored != u"NONE";
    if (selection.remembered) selection.types = TLStringArray::FromList(stored);
    return selection;
}

std::vector<AssociationGroup> BuildAssociationGroups(const shell::FileAssociationData& data) {
    using shell::FileTypeList;
    static constexpr std::pair<const char16_t*, FileTypeList> kGroups[] = {
        {u"Audio", FileTypeList::kAudio}, {u"Image", FileTypeList::kImage},         {u"Video", FileTypeList::kVideo},
        {u"Data", FileTypeList::kData},   {u"Playlists", FileTypeList::kPlaylist}, {u"Other", FileTypeList::kUnknown},
    };
    const TLStringArray& offered = data.List(FileTypeList::kDefaultFileTypes);
    std::vector<AssociationGroup> groups;
    for (const auto& [name, list] : kGroups) {
        std::vector<TLString> types;
        for (const TLString& type : data.List(list))
            if (Holds(offered, type) && std::find(types.begin(), types.end(), type) == types.end())
                types.push_back(type);
        if (types.empty()) continue;
        std::sort(types.begin(), types.end(),
                  [](const TLString& a, const TLString& b) { return a.CompareNoCase(b) < 0; });
        AssociationGroup group{name, {}};
        for (TLString& type : types) group.types.Add(std::move(type));
        groups.push_back(std::move(group));
    }
    return groups;
}

bool ProposesDefaults(bool remembered, bool no_associations, bool portable) {
    return !remembered && !no_associations && !portable;
}

TLStringArray CollectSelection(const TLStringArray& earlier, const TLStringArray& shown, const TLStringArray& ticked) {
    TLStringArray selection;
    for (const TLString& type : earlier)
        if (!Holds(shown, type) && !Holds(selection, type)) selection.Add(type);
    for (const TLString& type : ticked)
        if (!Holds(selection, type)) selection.Add(type);
    return selection;
}

}  // namespace wizard_rules
