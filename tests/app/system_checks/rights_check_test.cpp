// The rights check over registries that refuse or answer wrongly at each step, and the value name
// it derives from the performance counter.
#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "app/system_checks/rights_check.h"

// The tables name only what differs from the defaults; GCC would ask for every member.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

namespace {

using syschecks::RightsRegistry;

// Faults a registry can show; every other step behaves like a registry that works.
struct Faults {
    bool vendor_key = false, check_key = false, write = false, read = false, delete_value = false, delete_key = false;
    uint32_t type = syschecks::kRegSz;
    // Replaces what reads back; empty keeps what was written.
    std::vector<uint8_t> stored;
};

class DescribedRegistry final : public RightsRegistry {
public:
    explicit DescribedRegistry(Faults faults, int64_t counter = 123456789, int64_t frequency = 10000000)
        : faults_(std::move(faults)), counter_(counter), frequency_(frequency) {}

    bool OpenVendorKey() override { return record("open vendor"), !faults_.vendor_key; }
    bool OpenCheckKey() override { return record("open check"), !faults_.check_key; }
    bool WriteString(const TLString& name, const TLString& data) override {
        record("write " + name.ToUtf8());
        if (faults_.write) return false;
        written_.resize((data.length() + 1) * 2);
        std::memcpy(written_.data(), data.c_str(), written_.size());
        return true;
    }
    Value ReadValue(const TLString& name, uint32_t buffer_bytes) override {
        record("read " + name.ToUtf8());
        EXPECT_EQ(buffer_bytes, 512u);
        Value value;
        value.read = !faults_.read;
        value.type = faults_.type;
        value.bytes = faults_.stored.empty() ? written_ : faults_.stored;
        return value;
    }
    bool DeleteValue(const TLString& name) override {
        record("delete " + name.ToUtf8());
        return !faults_.delete_value;
    }
    void CloseCheckKey() override { record("close check"); }
    bool DeleteCheckKey() override { return record("delete check"), !faults_.delete_key; }
    int64_t PerformanceCounter() override { return counter_; }
    int64_t PerformanceFrequency() override { return frequency_; }

    std::vector<std::string> calls;

private:
    void record(std::string call) { calls.push_back(std::move(call)); }

    Faults faults_;
    int64_t counter_, frequency_;
    std::vector<uint8_t> written_;
};

std::vector<uint8_t> Utf16Bytes(std::u16string_view text) {
    std::vector<uint8_t> bytes(text.size() * 2);
    std::memcpy(bytes.data(), text.data(), bytes.size());
    return bytes;
}

// "Rights OK", its terminating zero and one byte more.
std::vector<uint8_t> OddLength() {
    std::vector<uint8_t> bytes = Utf16Bytes(std::u16string_view(u"Rights OK\0", 10));
    bytes.push_back(0);
    return bytes;
}

TEST(RightsCheck, PassesWhenTheValueRoundTripsAndLeavesNothingBehind) {
    DescribedRegistry registry({});
    EXPECT_TRUE(syschecks::RightsCheck(registry));
    const std::vector<std::string> expected = {"open vendor",
                                               "open check",
                                               "write Rights Check (12345)",
                                               "read Rights Check (12345)",
                                               "delete Rights Check (12345)",
                                               "close check",
                                               "delete check"};
    EXPECT_EQ(registry.calls, expected);
}

struct FaultCase {
    const char* name;
    Faults faults;
};

TEST(RightsCheck, FailsOnEveryFaultAndStillDeletesItsKey) {
    const FaultCase cases[] = {
        {"CheckKeyNotCreated", {.check_key = true}},
        {"WriteRefused", {.write = true}},
        {"ReadRefused", {.read = true}},
        {"BinaryType", {.type = 3}},
        {"DwordType", {.type = 4}},
        {"OddLength", {.stored = OddLength()}},
        {"NoTerminatingZero", {.stored = Utf16Bytes(u"Rights OK")}},
        {"OtherText", {.stored = Utf16Bytes(std::u16string_view(u"Rights NO\0", 10))}},
        {"LongerText", {.stored = Utf16Bytes(std::u16string_view(u"Rights OK!\0", 11))}},
        {"ValueNotDeleted", {.delete_value = true}},
        {"KeyNotDeleted", {.delete_key = true}},
    };
    for (const FaultCase& c : cases) {
        SCOPED_TRACE(c.name);
        DescribedRegistry registry(c.faults);
        EXPECT_FALSE(syschecks::RightsCheck(registry));
        EXPECT_EQ(registry.calls.back(), "delete check");
    }
}

TEST(RightsCheck, PassesForTextReadBackAsExpandableString) {
    DescribedRegistry registry({.type = syschecks::kRegExpandSz});
    EXPECT_TRUE(syschecks::RightsCheck(registry));
}

TEST(RightsCheck, StopsWithoutTouchingAnythingWhenTheVendorKeyCannotBeOpened) {
    DescribedRegistry registry({.vendor_key = true});
    EXPECT_FALSE(syschecks::RightsCheck(registry));
    EXPECT_EQ(registry.calls, std::vector<std::string>{"open vendor"});
}

// A machine that has run for a long time, or a fast counter, must not give a negative or wrapped
// name: the milliseconds are exact up to the largest counter.
TEST(RightsCheck, NamesItsValueAfterTheCounterWithoutOverflow) {
    constexpr int64_t kMost = std::numeric_limits<int64_t>::max();
    struct NameCase {
        int64_t counter, frequency;
        const char16_t* name;
    };
    const NameCase cases[] = {
        {123456789, 10000000, u"Rights Check (12345)"},
        {kMost, 10000000, u"Rights Check (922337203685477)"},
        {kMost, 3000000000, u"Rights Check (3074457345618)"},
        {kMost - 1, 1000, u"Rights Check (9223372036854775806)"},
        {kMost, 1, u"Rights Check (9223372036854775807)"},
        {-5, 10000000, u"Rights Check (0)"},
        {5, 0, u"Rights Check (0)"},
    };
    for (const NameCase& c : cases)
        EXPECT_EQ(syschecks::RightsCheckValueName(c.counter, c.frequency), c.name) << c.counter << " / " << c.frequency;

    DescribedRegistry registry({}, kMost - 7, 10000000);
    EXPECT_TRUE(syschecks::RightsCheck(registry));
    EXPECT_EQ(registry.calls[2], "write Rights Check (922337203685477)");
}

}  // namespace
