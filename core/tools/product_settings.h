#pragma once
// The product information keys the installer reads, in one table with each key's type, default and
// rule, and the one function that reads them.

#include <cstdint>
#include <string_view>

#include "core/string/tl_string.h"
#include "core/tools/tools_interface.h"

enum class ProductSetting {
    kMegaSkin,                  // skin file of the installer
    kMegaSkinKey,               // name under which the installed product keeps the user's skin
    kShowLanguageSelection,     // language selection at startup when not 0
    kMinIEVersion,              // browser component check: the lowest version accepted
    kInstallToPath,             // default destination folder
    kObsoleteFiles,             // obsolete files to delete
    kPromoCount,                // promotion slides on the copy page
    kPromoMinimumMilliseconds,  // minimum time per promotion slide
    kDefaultFileTypes,          // file types offered for association
    kDefaultAssocFileTypes,     // file types associated by default
};

struct ProductSettingValue {
    TLString text;       // string keys
    int64_t number = 0;  // integer keys
};

struct ProductSettingEntry {
    ProductSetting setting;
    std::u16string_view path;
    bool is_integer;
    std::u16string_view default_text;
    int64_t default_number;
    // Applied to what the product information answered (or to the default).
    void (*rule)(ProductSettingValue& value);
};

// The table, one entry per ProductSetting in its order.
const ProductSettingEntry& DescribeProductSetting(ProductSetting setting);

// The key's value from the product information, with its default and its rule; without product
// information (null) the default with the rule.
ProductSettingValue ReadProductSetting(ProductSetting setting, tltools::IProductInfo* info);
