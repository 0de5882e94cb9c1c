#include "wizard/rules/cancel_rules.h"

#include "core/tools/tools.h"
#include "wizard/rules/page_table.h"

namespace wizard_rules {

CloseRequestMessage CloseRequestMessageFor(int current_index, const TLString& product_name) {
    using tools::Translate;
    if (current_index >= kFirstIndexPastCancelling) {
        return {Translate(u"Cancel Unavailable"),
                TLString::Format(Translate(u"%s installation can no longer be canceled.\r\n\r\n"), product_name) +
                    Translate(u"Once installation has completed, you can uninstall using Control Panel > Add or "
                              u"Remove Programs."),
                false};
    }
    return {Translate(u"Confirm Cancellation"),
            TLString::Format(Translate(u"Are you sure you want to cancel %s installation?"), product_name), true};
}

bool CloseRequestCancels(int current_index, bool answered_yes) {
    return current_index < kFirstIndexPastCancelling && answered_yes;
}

}  // namespace wizard_rules
