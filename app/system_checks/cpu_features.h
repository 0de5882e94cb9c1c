#pragma once
// CpuFeatureFlags: what the processor offers, as one mask read with CPUID once per process.

#include <cstdint>

namespace syschecks {

enum CpuFeature : uint32_t {
    kCpuComputed = 1u << 0,
    kCpuMmx = 1u << 1,
    kCpuSse = 1u << 2,
    kCpuSse2 = 1u << 3,
    kCpuSse3 = 1u << 4,
    kCpuSsse3 = 1u << 5,
    kCpuSse4a = 1u << 6,
    kCpuSse41 = 1u << 7,
    kCpuSse42 = 1u << 8,
    kCpuAvx = 1u << 9,
    kCpuLongMode = 1u << 10,
    kCpuIntelFamily6 = 1u << 16,
};

struct CpuidRegisters {
    uint32_t eax = 0, ebx = 0, ecx = 0, edx = 0;
};

// The two instructions the flags come from; tests describe processors the machine is not.
class CpuidSource {
public:
    virtual CpuidRegisters Cpuid(uint32_t leaf) = 0;
    // XCR0, the state the operating system saves on a task switch.
    virtual uint64_t Xgetbv() = 0;

protected:
    ~CpuidSource() = default;
};

// The mask for a processor; kCpuComputed is always set.
uint32_t ComputeCpuFeatureFlags(CpuidSource& source);

// This processor's mask, computed on first use. Without a lock: two threads computing it at once
// both arrive at the same value.
uint32_t CpuFeatureFlags();

}  // namespace syschecks
