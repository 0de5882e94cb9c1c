#include "core/tools/message_service_prompts.h"

#include "core/string/tl_string_array.h"
#include "core/tools/message_box.h"

namespace tools {

int MessageServicePrompts::Ask(const Prompt& prompt) {
    TLStringArray names;
    for (const TLString& name : prompt.named_buttons) names.Add(name);
    return ShowMessage(owner_, prompt.title, prompt.text, prompt.buttons, names.IsEmpty() ? nullptr : &names);
}

}  // namespace tools
