// The product information keys with their defaults and rules, read from a product information that
// answers what a test tells it.
#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>

#include "core/tools/product_settings.h"

namespace {

// Product information holding only the values a test gives it; it remembers the paths asked.
class GivenProductInfo final : public tltools::IProductInfo {
public:
    std::map<TLString, TLString> texts;
    std::map<TLString, int64_t> numbers;
    std::vector<TLString> asked;

    bool Load(const TLString&, TLString*) override { return true; }
    TLString GetString(const TLString& path, const TLString& fallback) override {
        asked.push_back(path);
        const auto found = texts.find(path);
        return found == texts.end() ? fallback : found->second;
    }
    int64_t GetInteger(const TLString& path, int64_t fallback) override {
        asked.push_back(path);
        const auto found = numbers.find(path);
        return found == numbers.end() ? fallback : found->second;
    }
    TLString GetItem(int) override { return TLString(); }
    TLString GetVersionText() override { return TLString(); }
    TLString GetMainProgramFileName() override { return TLString(); }
    TLString GetLauncherFileName() override { return TLString(); }
    TLString GetLauncherPath() override { return TLString(); }
    TLString GetStartMenuFolder() override { return TLString(); }
    TLString GetWebAddress() override { return TLString(); }
    TLString GetMimeTypes() override { return TLString(); }
    TLString GetUrlProtocols() override { return TLString(); }
    bool Query(int) override { return false; }
    bool IsLoaded() override { return true; }
};

struct SettingCase {
    ProductSetting setting;
    const char16_t* path;
    std::optional<TLString> given_text;
    std::optional<int64_t> given_number;
    TLString text;
    int64_t number;
};

TEST(ProductSettings, EachKeyReadsItsPathWithItsDefaultAndRule) {
    using S = ProductSetting;
    const SettingCase cases[] = {
        {S::kMegaSkin, u"/*/General/MegaSkin", {}, {}, u"", 0},
        {S::kMegaSkin, u"/*/General/MegaSkin", u"Night.tlskin", {}, u"Night.tlskin", 0},
        {S::kMegaSkinKey, u"/*/General/MegaSkinKey", {}, {}, u"Standard View Skin 2", 0},
        {S::kMegaSkinKey, u"/*/General/MegaSkinKey", u"Skin 3", {}, u"Skin 3", 0},
        {S::kShowLanguageSelection, u"/*/Installer/ShowLanguageSelection", {}, {}, u"", 0},
        {S::kShowLanguageSelection, u"/*/Installer/ShowLanguageSelection", {}, 1, u"", 1},
        {S::kMinIEVersion, u"/*/SpecialFeatures/MinIEVersion", {}, {}, u"5.0.0.0", 0},
        {S::kMinIEVersion, u"/*/SpecialFeatures/MinIEVersion", u"", {}, u"5.0.0.0", 0},
        {S::kMinIEVersion, u"/*/SpecialFeatures/MinIEVersion", u"6.0.2900.2180", {}, u"6.0.2900.2180", 0},
        {S::kInstallToPath, u"/*/Product/InstallToPath", {}, {}, u"", 0},
        {S::kInstallToPath,
         u"/*/Product/InstallToPath",
         u"%ProgramFiles%\\Tonehall",
         {},
         u"%ProgramFiles%\\Tonehall",
         0},
        {S::kObsoleteFiles, u"/*/Product/ObsoleteFiles", u"old.dll;older.dll", {}, u"old.dll;older.dll", 0},
        {S::kPromoCount, u"/*/Installer/PromoCount", {}, {}, u"", 0},
        {S::kPromoCount, u"/*/Installer/PromoCount", {}, 6, u"", 6},
        {S::kPromoMinimumMilliseconds, u"/*/Installer/PromoMinimumMilliseconds", {}, {}, u"", 1000},
        {S::kPromoMinimumMilliseconds, u"/*/Installer/PromoMinimumMilliseconds", {}, 250, u"", 1000},
        {S::kPromoMinimumMilliseconds, u"/*/Installer/PromoMinimumMilliseconds", {}, -5, u"", 1000},
        {S::kPromoMinimumMilliseconds, u"/*/Installer/PromoMinimumMilliseconds", {}, 4000, u"", 4000},
        {S::kDefaultFileTypes, u"/*/Product/DefaultFileTypes", u"mp3;ogg", {}, u"mp3;ogg", 0},
        {S::kDefaultAssocFileTypes, u"/*/Product/DefaultAssocFileTypes", u"mp3", {}, u"mp3", 0},
    };
    for (const SettingCase& c : cases) {
        SCOPED_TRACE(TLString(c.path).ToUtf8());
        GivenProductInfo info;
        if (c.given_text) info.texts[c.path] = *c.given_text;
        if (c.given_number) info.numbers[c.path] = *c.given_number;
        const ProductSettingValue value = ReadProductSetting(c.setting, &info);
        EXPECT_EQ(value.text, c.text);
        EXPECT_EQ(value.number, c.number);
        ASSERT_EQ(info.asked.size(), 1u);
        EXPECT_EQ(info.asked[0], c.path);
        if (!c.given_text && !c.given_number) {
            // Without the library the same default and rule hold.
            const ProductSettingValue fallback = ReadProductSetting(c.setting, nullptr);
            EXPECT_EQ(fallback.text, c.text);
            EXPECT_EQ(fallback.number, c.number);
        }
    }
}

}  // namespace
