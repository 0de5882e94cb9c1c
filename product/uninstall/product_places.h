#pragma once
// Where this machine keeps what an install of the product may have put there, and the product's own
// registry entries.

#include "core/string/tl_string.h"
#include "engine/journal/journal_entry.h"
#include "product/uninstall/uninstall_plan.h"

namespace uninstall {

// The places for the product installed in `destination` (with a trailing backslash); `product_name`
// is the name its installations record goes by (product string 3).
ProductPlaces FindProductPlaces(const TLString& destination, const TLString& product_name);

// The folder the installations record names for the product (with a trailing backslash); empty when
// it names none.
TLString RegisteredFolder(const TLString& product_name);

// The product's uninstall entry, as its installations record names it; empty when it names none.
TLString UninstallEntryKey(const TLString& product_name);

// Whether the record's entry is about the product's registration: its installations record or an
// uninstall entry.
bool IsRegistrationEntry(const journal::Entry& entry, const TLString& product_name);

// Removes the product's uninstall entry and its installations record; the record's default value,
// when it names the product, then names another installed product or goes.
void RemoveProductRegistration(const TLString& product_name, const TLString& uninstall_key);

}  // namespace uninstall
