#pragma once
// Where the installed product lies: found through the portable marker or the machine's
// installations record, and kept in the process information block for the tools library.

#include "core/string/tl_string.h"

class TLProcessInfoBlock;

// Finds the installed product's folder and stores it with SetInstallPath. With a product name the
// record's subkey of that name decides; without one, the record whose folder holds this program (or
// else the one named by the record's default value).
void DiscoverInstallPath(TLProcessInfoBlock& block, const TLString& product_name, bool overwrite_data_and_program,
                         bool only_if_initialised_here);

// Completes a block this process created: the installed product's folder found without a product
// name (also as the data and program folders), the application data folder, and last the ready
// value. A block another process filled, or one already complete, is left as it is.
void FinishProcessInfoBlock(TLProcessInfoBlock& block);

// Stores the folder (trailing backslash ensured) as the install folder, with the flag also as the
// data and program folders; tells the tools library and writes a debug line. Does nothing when
// `only_if_initialised_here` is set and another process filled the block.
void SetInstallPath(TLProcessInfoBlock& block, const TLString& folder, bool also_data_and_program,
                    bool only_if_initialised_here);

// The key of the installations record below HKEY_LOCAL_MACHINE; the WOW64 one for a reader that
// runs from an "x64\" folder.
inline constexpr char16_t kInstallationsKey[] = u"Software\\C. Orvane\\Tone Core\\Installations";
inline constexpr char16_t kInstallationsKeyWow64[] = u"Software\\WOW6432Node\\C. Orvane\\Tone Core\\Installations";
