#include "core/tools/product_settings.h"

#include <algorithm>
#include <iterator>

namespace {

void AsIs(ProductSettingValue&) {}

// An empty minimum version means the oldest component the product ever supported.
void MinimumBrowserVersion(ProductSettingValue& value) {
    if (value.text.empty()) value.text = u"5.0.0.0";
}

// A slide stays at least a second, however short the product asks for.
void AtLeastOneSecond(ProductSettingValue& value) { value.number = std::max<int64_t>(value.number, 1000); }

constexpr bool kText = false;
constexpr bool kInteger = true;

constexpr ProductSettingEntry kEntries[] = {
    {ProductSetting::kMegaSkin, u"/*/General/MegaSkin", kText, u"", 0, AsIs},
    {ProductSetting::kMegaSkinKey, u"/*/General/MegaSkinKey", kText, u"Standard View Skin 2", 0, AsIs},
    {ProductSetting::kShowLanguageSelection, u"/*/Installer/ShowLanguageSelection", kInteger, u"", 0, AsIs},
    {ProductSetting::kMinIEVersion, u"/*/SpecialFeatures/MinIEVersion", kText, u"", 0, MinimumBrowserVersion},
    {ProductSetting::kInstallToPath, u"/*/Product/InstallToPath", kText, u"", 0, AsIs},
    {ProductSetting::kObsoleteFiles, u"/*/Product/ObsoleteFiles", kText, u"", 0, AsIs},
    {ProductSetting::kPromoCount, u"/*/Installer/PromoCount", kInteger, u"", 0, AsIs},
    {ProductSetting::kPromoMinimumMilliseconds, u"/*/Installer/PromoMinimumMilliseconds", kInteger, u"", 0,
     AtLeastOneSecond},
    {ProductSetting::kDefaultFileTypes, u"/*/Product/DefaultFileTypes", kText, u"", 0, AsIs},
    {ProductSetting::kDefaultAssocFileTypes, u"/*/Product/DefaultAssocFileTypes", kText, u"", 0, AsIs},
};

constexpr bool InTableOrder() {
    for (size_t i = 0; i < std::size(kEntries); ++i)
        if (static_cast<size_t>(kEntries[i].setting) != i) return false;
    return true;
}
static_assert(InTableOrder(), "the table lists every setting in the order of ProductSetting");

}  // namespace

const ProductSettingEntry& DescribeProductSetting(ProductSetting setting) {
    return kEntries[static_cast<size_t>(setting)];
}

ProductSettingValue ReadProductSetting(ProductSetting setting, tltools::IProductInfo* info) {
    const ProductSettingEntry& entry = DescribeProductSetting(setting);
    ProductSettingValue value;
    const TLString path(entry.path);
    if (entry.is_integer)
        value.number = info ? info->GetInteger(path, entry.default_number) : entry.default_number;
    else
        value.text = info ? info->GetString(path, TLString(entry.default_text)) : TLString(entry.default_text);
    entry.rule(value);
    return value;
}
