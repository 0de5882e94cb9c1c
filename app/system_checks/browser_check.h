#pragma once
// The browser component check: the product shows web pages through the system's WebBrowser
// control, so that control must exist and be at least the version the product information names.

#include "core/string/tl_string.h"

namespace syschecks {

struct BrowserComponent {
    bool available = false;  // the WebBrowser control could be created
    TLString version;        // "Version" of the browser's registry key, "1.0.0.0" when absent
};

// The answers of the browser component dialog.
enum BrowserDialogResult : int { kBrowserDownload = 1, kBrowserQuitSetup = 2 };

inline constexpr char16_t kDefaultMinimumBrowserVersion[] = u"5.0.0.0";
inline constexpr char16_t kUnknownBrowserVersion[] = u"1.0.0.0";

// Compares two dotted versions field by field, the first field most significant; a missing field
// counts as 0 ("9.11" equals "9.11.0.0"). Negative, 0 or positive as with strcmp.
int CompareDottedVersions(std::u16string_view a, std::u16string_view b);

// "/*/SpecialFeatures/MinIEVersion" of the product information, or "5.0.0.0" when that is empty.
TLString MinimumBrowserVersion();

// Available and not older than the minimum.
bool BrowserComponentSufficient(const BrowserComponent& browser, const TLString& minimum);

// This machine's WebBrowser control and its version.
BrowserComponent ReadBrowserComponent();

}  // namespace syschecks
