#pragma once
// The rights check: a value written into, read back from and deleted again below
// HKEY_LOCAL_MACHINE "Software\C. Orvane". Only a real write shows that the installer may change
// the machine's settings; a token or shell query can say yes where the registry says no.

#include <cstdint>
#include <vector>

#include "core/string/tl_string.h"

namespace syschecks {

// The registry and counter as the rights check meets them. The installer's own acts on
// HKEY_LOCAL_MACHINE; tests describe registries that refuse or answer wrongly.
class RightsRegistry {
public:
    struct Value {
        bool read = false;
        uint32_t type = 0;
        std::vector<uint8_t> bytes;
    };

    // Creates or opens "Software\C. Orvane" with read and write access.
    virtual bool OpenVendorKey() = 0;
    // Creates or opens its subkey "Rights Check" the same way.
    virtual bool OpenCheckKey() = 0;
    // Writes a REG_SZ value into "Rights Check", the terminating zero included.
    virtual bool WriteString(const TLString& name, const TLString& data) = 0;
    // Reads a value of "Rights Check" into a buffer of `buffer_bytes`.
    virtual Value ReadValue(const TLString& name, uint32_t buffer_bytes) = 0;
    virtual bool DeleteValue(const TLString& name) = 0;
    virtual void CloseCheckKey() = 0;
    // Deletes the subkey "Rights Check" of "Software\C. Orvane".
    virtual bool DeleteCheckKey() = 0;
    virtual int64_t PerformanceCounter() = 0;
    virtual int64_t PerformanceFrequency() = 0;

protected:
    ~RightsRegistry() = default;
};

inline constexpr uint32_t kRegSz = 1;
inline constexpr uint32_t kRegExpandSz = 2;
inline constexpr char16_t kRightsCheckData[] = u"Rights OK";

// "Rights Check (<milliseconds of the performance counter>)".
TLString RightsCheckValueName(int64_t counter, int64_t frequency);

// True when the value could be written, read back unchanged and deleted, and the "Rights Check" key
// deleted afterwards. "Software\C. Orvane" stays.
bool RightsCheck(RightsRegistry& registry);

// The check on this machine's HKEY_LOCAL_MACHINE.
bool RightsCheck();

}  // namespace syschecks
