#include <windows.h>

#include "app/system_checks/rights_check.h"

namespace syschecks {
namespace {

constexpr REGSAM kReadWrite = 0x2001F;
constexpr wchar_t kVendorKey[] = L"Software\\C. Orvane";
constexpr wchar_t kCheckKey[] = L"Rights Check";

class MachineRegistry final : public RightsRegistry {
public:
    ~MachineRegistry() {
        CloseCheckKey();
        if (vendor_) RegCloseKey(vendor_);
    }

    bool OpenVendorKey() override { return Create(HKEY_LOCAL_MACHINE, kVendorKey, &vendor_); }
    bool OpenCheckKey() override { return Create(vendor_, kCheckKey, &check_); }
    bool WriteString(const TLString& name, const TLString& data) override {
        const DWORD bytes = static_cast<DWORD>((data.length() + 1) * sizeof(char16_t));
        return RegSetValueExW(check_, name.wc(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()), bytes) ==
               ERROR_SUCCESS;
    }
    Value ReadValue(const TLString& name, uint32_t buffer_bytes) override {
        Value value;
        value.bytes.resize(buffer_bytes);
        DWORD type = 0, length = buffer_bytes;
        value.read = RegQueryValueExW(check_, name.wc(), nullptr, &type, value.bytes.data(), &length) == ERROR_SUCCESS;
        value.type = type;
        value.bytes.resize(value.read ? length : 0);
        return value;
    }
    bool DeleteValue(const TLString& name) override { return RegDeleteValueW(check_, name.wc()) == ERROR_SUCCESS; }
    void CloseCheckKey() override {
        if (check_) RegCloseKey(check_);
        check_ = nullptr;
    }
    bool DeleteCheckKey() override { return vendor_ && RegDeleteKeyW(vendor_, kCheckKey) == ERROR_SUCCESS; }
    int64_t PerformanceCounter() override {
        LARGE_INTEGER counter;
        QueryPerformanceCounter(&counter);
        return counter.QuadPart;
    }
    int64_t PerformanceFrequency() override {
        LARGE_INTEGER frequency;
        QueryPerformanceFrequency(&frequency);
        return frequency.QuadPart;
    }

private:
    static bool Create(HKEY parent, const wchar_t* path, HKEY* key) {
        if (RegCreateKeyExW(parent, path, 0, nullptr, 0, kReadWrite, nullptr, key, nullptr) == ERROR_SUCCESS)
            return true;
        *key = nullptr;
        return false;
    }

    HKEY vendor_ = nullptr;
    HKEY check_ = nullptr;
};

}  // namespace

bool RightsCheck() {
    MachineRegistry registry;
    return RightsCheck(registry);
}

}  // namespace syschecks
