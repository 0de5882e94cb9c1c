#include "app/system_checks/cpu_features.h"

#include <cpuid.h>

#include <atomic>

namespace syschecks {
namespace {

constexpr uint32_t kExtendedLeaf = 0x80000001;

// Leaf 1 or the extended leaf, register, bit: the flag it gives.
struct FeatureBit {
    bool extended;
    bool in_edx;
    unsigned bit;
    CpuFeature flag;
};

constexpr FeatureBit kFeatureBits[] = {
    {false, true, 23, kCpuMmx},    {false, true, 25, kCpuSse},    {false, true, 26, kCpuSse2},
    {false, false, 0, kCpuSse3},   {false, false, 9, kCpuSsse3},  {true, false, 6, kCpuSse4a},
    {false, false, 19, kCpuSse41}, {false, false, 20, kCpuSse42}, {true, true, 29, kCpuLongMode},
};

constexpr unsigned kOsXsaveBit = 27;
constexpr unsigned kAvxBit = 28;
constexpr uint64_t kXmmAndYmmState = 0x6;

bool Bit(uint32_t value, unsigned bit) { return (value >> bit) & 1u; }

bool IsGenuineIntel(const CpuidRegisters& leaf0) {
    // "GenuineIntel" in EBX, EDX, ECX.
    return leaf0.ebx == 0x756E6547 && leaf0.edx == 0x49656E69 && leaf0.ecx == 0x6C65746E;
}

uint32_t Family(uint32_t eax) {
    const uint32_t family = (eax >> 8) & 0xF;
    return family == 0xF ? family + ((eax >> 20) & 0xFF) : family;
}

class ThisProcessor final : public CpuidSource {
public:
    CpuidRegisters Cpuid(uint32_t leaf) override {
        CpuidRegisters r;
        __cpuid_count(leaf, 0, r.eax, r.ebx, r.ecx, r.edx);
        return r;
    }
    uint64_t Xgetbv() override {
        uint32_t low = 0, high = 0;
        __asm__ volatile("xgetbv" : "=a"(low), "=d"(high) : "c"(0));
        return (uint64_t{high} << 32) | low;
    }
};

}  // namespace

uint32_t ComputeCpuFeatureFlags(CpuidSource& source) {
    uint32_t flags = kCpuComputed;
    const CpuidRegisters leaf0 = source.Cpuid(0);
    const CpuidRegisters leaf1 = leaf0.eax >= 1 ? source.Cpuid(1) : CpuidRegisters{};
    const CpuidRegisters extended =
        source.Cpuid(0x80000000).eax >= kExtendedLeaf ? source.Cpuid(kExtendedLeaf) : CpuidRegisters{};
    for (const FeatureBit& feature : kFeatureBits) {
        const CpuidRegisters& leaf = feature.extended ? extended : leaf1;
        if (Bit(feature.in_edx ? leaf.edx : leaf.ecx, feature.bit)) flags |= feature.flag;
    }
    // XGETBV is an invalid instruction where the system has not enabled it (OSXSAVE clear), which
    // some virtual machines report together with AVX.
    if (Bit(leaf1.ecx, kAvxBit) && Bit(leaf1.ecx, kOsXsaveBit) &&
        (source.Xgetbv() & kXmmAndYmmState) == kXmmAndYmmState)
        flags |= kCpuAvx;
    if (IsGenuineIntel(leaf0) && Family(leaf1.eax) == 6) flags |= kCpuIntelFamily6;
    return flags;
}

uint32_t CpuFeatureFlags() {
    static std::atomic<uint32_t> flags{0};
    uint32_t value = flags.load(std::memory_order_relaxed);
    if (!(value & kCpuComputed)) {
        ThisProcessor processor;
        value = ComputeCpuFeatureFlags(processor);
        flags.store(value, std::memory_order_relaxed);
    }
    return value;
}

}  // namespace syschecks
