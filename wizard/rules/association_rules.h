#pragma once
// The file associations page's rules: the remembered selection, the groups of the list, the default
// proposal and what leaving the page stores.

#include <vector>

#include "core/string/tl_string_array.h"
#include "shell/associations/file_association_data.h"

namespace wizard_rules {

// The stored selection as read from the settings: "NONE" (the value's default when it is missing)
// means nothing is remembered; an empty text is a remembered empty selection.
struct RememberedSelection {
    bool remembered = false;
    TLStringArray types;
};
RememberedSelection ReadRememberedSelection(const TLString& stored);

struct AssociationGroup {
    const char16_t* name;  // untranslated: "Audio", "Image", ...
    TLStringArray types;   // sorted
};
// The six groups in order, each with the types of its description list that are also offered for
// association; groups without such types are left out.
std::vector<AssociationGroup> BuildAssociationGroups(const shell::FileAssociationData& data);

// Whether the page proposes the product's default types: only when nothing is remembered and
// neither NoAssociations nor portable mode holds back.
bool ProposesDefaults(bool remembered, bool no_associations, bool portable);

// The selection after the page: the ticked types of the list, and the earlier selection's types that
// the list does not show (a type the product no longer offers here is still the person's choice).
TLStringArray CollectSelection(const TLStringArray& earlier, const TLStringArray& shown, const TLStringArray& ticked);

}  // namespace wizard_rules
