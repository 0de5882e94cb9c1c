#include <windows.h>

#include "app/system_checks/rights_check.h"
#include "core/windows/registry.h"

namespace syschecks {
namespace {

constexpr REGSAM kReadWrite = 0x2001F;
constexpr char16_t kVendorKey[] = u"Software\\C. Orvane";
constexpr wchar_t kCheckKey[] = L"Rights Check";

class MachineRegistry final : public RightsRegistry {
public:
    bool OpenVendorKey() override {
        vendor_ = tlwin::RegistryKey::Create(HKEY_LOCAL_MACHINE, kVendorKey, kReadWrite);
        return vendor_.IsOpen();
    }
    bool OpenCheckKey() override {
        check_ = tlwin::RegistryKey::Create(vendor_.handle(), kCheckKey, kReadWrite);
        return check_.IsOpen();
    }
    bool WriteString(const TLString& name, const TLString& data) override { return check_.WriteString(name, data); }
    // Read as it lies, type and bytes, into the fixed buffer: the check judges what came back.
    Value ReadValue(const TLString& name, uint32_t buffer_bytes) override {
        Value value;
        value.bytes.resize(buffer_bytes);
        DWORD type = 0, length = buffer_bytes;
        value.read =
            RegQueryValueExW(check_.handle(), name.wc(), nullptr, &type, value.bytes.data(), &length) == ERROR_SUCCESS;
        value.type = type;
        value.bytes.resize(value.read ? length : 0);
        return value;
    }
    bool DeleteValue(const TLString& name) override { return check_.DeleteValue(name); }
    void CloseCheckKey() override { check_ = tlwin::RegistryKey(); }
    // RegDeleteKeyW, not a tree deletion: a key that holds more than the check made is not ours.
    bool DeleteCheckKey() override {
        return vendor_.IsOpen() && RegDeleteKeyW(vendor_.handle(), kCheckKey) == ERROR_SUCCESS;
    }
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
    tlwin::RegistryKey vendor_;
    tlwin::RegistryKey check_;
};

}  // namespace

bool RightsCheck() {
    MachineRegistry registry;
    return RightsCheck(registry);
}

}  // namespace syschecks
