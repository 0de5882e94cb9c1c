#pragma once
// The product's real tools library (the stand-in TLTools.dll) for a test: loaded from a copy of the
// sample distribution's program folder, with its product information, and with the product's
// settings key removed before and after. The copy's install folder is a scratch "Installed\" folder.

#include <string_view>

#include "core/string/tl_string.h"
#include "tests/support/product_keys.h"
#include "tests/support/win_test_support.h"

namespace tltest {

class ProductTools {
public:
    // With `product_xml` given, the copy's "Product.xml" holds that text instead.
    explicit ProductTools(std::u16string_view product_xml = {});
    ~ProductTools();
    ProductTools(const ProductTools&) = delete;
    ProductTools& operator=(const ProductTools&) = delete;

    bool loaded() const { return loaded_; }
    const ScratchFolder& scratch() const { return scratch_; }
    // The install folder of the process information block, with a trailing backslash.
    TLString InstallFolder() const { return scratch_.Path(u"Installed\\"); }

private:
    RegistryCleanup settings_{HKEY_CURRENT_USER, kProductSettingsKey};
    ScratchFolder scratch_;
    bool loaded_ = false;
};

}  // namespace tltest
