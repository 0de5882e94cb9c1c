// The processor feature mask from described processors, and from the one the test runs on.
#include <gtest/gtest.h>

#include <map>

#include "app/system_checks/cpu_features.h"

namespace {

using namespace syschecks;

constexpr uint32_t kOsXsave = 1u << 27;
constexpr uint32_t kAvxBit = 1u << 28;

// A processor described by its CPUID leaves; XGETBV on it faults (fails the test) unless the
// system enabled it, as on the virtual machines that report AVX without OSXSAVE.
class DescribedProcessor final : public CpuidSource {
public:
    std::map<uint32_t, CpuidRegisters> leaves;
    uint64_t xcr0 = 0;
    int xgetbv_calls = 0;

    CpuidRegisters Cpuid(uint32_t leaf) override {
        const auto found = leaves.find(leaf);
        return found == leaves.end() ? CpuidRegisters{} : found->second;
    }
    uint64_t Xgetbv() override {
        ++xgetbv_calls;
        EXPECT_TRUE(leaves[1].ecx & kOsXsave) << "XGETBV executed although the system has not enabled it";
        return xcr0;
    }
};

// GenuineIntel / AuthenticAMD in EBX, EDX, ECX of leaf 0, with the highest basic leaf.
CpuidRegisters Vendor(uint32_t highest, bool intel) {
    return intel ? CpuidRegisters{highest, 0x756E6547, 0x6C65746E, 0x49656E69}
                 : CpuidRegisters{highest, 0x68747541, 0x444D4163, 0x69746E65};
}

struct CpuCase {
    const char* name;
    bool intel;
    uint32_t highest_basic, family_eax, ecx1, edx1;
    uint32_t highest_extended, ecx_ext, edx_ext;
    uint64_t xcr0;
    uint32_t flags;
    int xgetbv_calls;
};

constexpr uint32_t kMmx = 1u << 23, kSse = 1u << 25, kSse2 = 1u << 26;

const CpuCase kCases[] = {
    {"NoLeaves", false, 0, 0, 0, 0, 0, 0, 0, 0, kCpuComputed, 0},
    {"MmxSseSse2", false, 1, 0x600, 0, kMmx | kSse | kSse2, 0, 0, 0, 0, kCpuComputed | kCpuMmx | kCpuSse | kCpuSse2, 0},
    {"Sse2WithoutMmx", false, 1, 0x600, 0, kSse | kSse2, 0, 0, 0, 0, kCpuComputed | kCpuSse | kCpuSse2, 0},
    {"Sse3ToSse42", false, 1, 0x600, (1u << 0) | (1u << 9) | (1u << 19) | (1u << 20), 0, 0, 0, 0, 0,
     kCpuComputed | kCpuSse3 | kCpuSsse3 | kCpuSse41 | kCpuSse42, 0},
    {"ExtendedLeaf", false, 1, 0xF00, 0, 0, 0x80000001, 1u << 6, 1u << 29, 0, kCpuComputed | kCpuSse4a | kCpuLongMode,
     0},
    {"ExtendedLeafNotOffered", false, 1, 0xF00, 0, 0, 0x80000000, 1u << 6, 1u << 29, 0, kCpuComputed, 0},
    {"AvxEnabled", false, 1, 0x600, kAvxBit | kOsXsave, 0, 0, 0, 0, 0x7, kCpuComputed | kCpuAvx, 1},
    {"AvxStateNotSaved", false, 1, 0x600, kAvxBit | kOsXsave, 0, 0, 0, 0, 0x3, kCpuComputed, 1},
    {"AvxWithoutOsXsave", false, 1, 0x600, kAvxBit, 0, 0, 0, 0, 0x7, kCpuComputed, 0},
    {"IntelFamily6", true, 1, 0x306A9, 0, 0, 0, 0, 0, 0, kCpuComputed | kCpuIntelFamily6, 0},
    {"IntelFamily15", true, 1, 0xF00, 0, 0, 0, 0, 0, 0, kCpuComputed, 0},
    {"AmdFamily6", false, 1, 0x600, 0, 0, 0, 0, 0, 0, kCpuComputed, 0},
};

TEST(CpuFeatureFlags, ComeFromTheirCpuidBits) {
    for (const CpuCase& c : kCases) {
        SCOPED_TRACE(c.name);
        DescribedProcessor processor;
        processor.leaves[0] = Vendor(c.highest_basic, c.intel);
        processor.leaves[1] = CpuidRegisters{c.family_eax, 0, c.ecx1, c.edx1};
        processor.leaves[0x80000000] = CpuidRegisters{c.highest_extended, 0, 0, 0};
        processor.leaves[0x80000001] = CpuidRegisters{0, 0, c.ecx_ext, c.edx_ext};
        processor.xcr0 = c.xcr0;
        EXPECT_EQ(ComputeCpuFeatureFlags(processor), c.flags);
        EXPECT_EQ(processor.xgetbv_calls, c.xgetbv_calls);
    }
}

// Every x86-64 processor has MMX, SSE2 and long mode.
TEST(CpuFeatureFlags, OfThisProcessorAreComputedOnceAndHoldTheX64Basics) {
    const uint32_t flags = CpuFeatureFlags();
    for (uint32_t flag : {kCpuComputed, kCpuMmx, kCpuSse, kCpuSse2, kCpuLongMode}) EXPECT_TRUE(flags & flag) << flag;
    EXPECT_EQ(CpuFeatureFlags(), flags);
}

}  // namespace
