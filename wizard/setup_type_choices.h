#pragma once
// The setup type pages' choices as their radio group shows them, in the user's language.

#include <vector>

#include "core/tools/tools.h"
#include "toolkit/controls/tl_radio_group.h"
#include "wizard/rules/setup_type_rules.h"

template <size_t N>
std::vector<TLRadioGroup::Choice> TranslatedChoices(const wizard_rules::RadioChoiceText (&choices)[N]) {
    std::vector<TLRadioGroup::Choice> translated;
    for (const wizard_rules::RadioChoiceText& choice : choices)
        translated.push_back({tools::Translate(choice.name), tools::Translate(choice.description)});
    return translated;
}
