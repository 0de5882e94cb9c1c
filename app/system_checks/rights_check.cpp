#include "app/system_checks/rights_check.h"

#include <cstring>

#include "app/system_checks/performance_clock.h"

namespace syschecks {
namespace {

constexpr uint32_t kReadBufferBytes = 512;

// REG_SZ or REG_EXPAND_SZ holding exactly the text and its terminating zero.
bool HoldsText(const RightsRegistry::Value& value, std::u16string_view text) {
    if (!value.read || (value.type != kRegSz && value.type != kRegExpandSz)) return false;
    if (value.bytes.size() % 2 != 0 || value.bytes.size() != (text.size() + 1) * 2) return false;
    std::u16string stored(value.bytes.size() / 2, u'\0');
    std::memcpy(stored.data(), value.bytes.data(), value.bytes.size());
    return stored.back() == u'\0' && std::u16string_view(stored).substr(0, text.size()) == text;
}

}  // namespace

TLString RightsCheckValueName(int64_t counter, int64_t frequency) {
    return TLString::Format(u"Rights Check (%I64d)", CounterMilliseconds(counter, frequency));
}

bool RightsCheck(RightsRegistry& registry) {
    if (!registry.OpenVendorKey()) return false;
    bool passed = false;
    if (registry.OpenCheckKey()) {
        const TLString name = RightsCheckValueName(registry.PerformanceCounter(), registry.PerformanceFrequency());
        if (registry.WriteString(name, kRightsCheckData))
            passed =
                HoldsText(registry.ReadValue(name, kReadBufferBytes), kRightsCheckData) && registry.DeleteValue(name);
        registry.CloseCheckKey();
    }
    // A key that cannot be deleted is a machine that cannot be changed as the installer must.
    return registry.DeleteCheckKey() && passed;
}

}  // namespace syschecks
