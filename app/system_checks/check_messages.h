#pragma once
// The messages of the system checks: title and text translated part by part, then the product's
// name put in, so that translations never have to carry it.

#include "core/string/tl_string.h"

namespace syschecks {

enum class CheckMessageId {
    kNoRights,
    kCloseRunningCopy,  // the Yes/No question
    kPleaseClose,
    kStillRunning,
    kNoSse2,
    kWindowsTooOld,
};

struct CheckMessage {
    TLString title;
    TLString text;
    int buttons = 0;  // tltools::IMessageService::kOk or kYesNo
};

// Product strings 0 (the name used when closing a running copy) and 1 (the name everywhere else).
struct ProductNames {
    TLString closing;
    TLString display;
};

CheckMessage ComposeCheckMessage(CheckMessageId id, const ProductNames& names);

}  // namespace syschecks
