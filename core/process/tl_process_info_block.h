#pragma once
// The process information block: named shared memory "Corvane Process v27 (<process id>)" through
// which the product's tools library learns this process's folders and flags. Its byte layout is
// fixed; strings are UTF-16, zero-terminated, at most 260 units.

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <memory>

#include "core/process/tl_shared_memory.h"
#include "core/string/tl_string.h"

class TLProcessInfoBlock {
public:
    static constexpr int kMajorVersion = 27;
    static constexpr size_t kSize = 3184;
    static constexpr size_t kMaxPath = 260;

    enum Offset : size_t {
        kInitialisedByte = 0,
        kExecutablePath = 2,
        kInstallFolder = 524,
        kDataFolder = 1046,
        kProgramFolder = 1568,
        kAppDataFolder = 2090,
        kInstallerByte = 2612,
        kInitialisingThread = 2616,
        kMarker = 2624,
        kPortableByte = 2632,
        kAllBitsSet = 3168,
        kReadyValue = 3176,
    };
    // Every string field holds kMaxPath units and the terminating zero.
    static_assert(kInstallFolder - kExecutablePath == (kMaxPath + 1) * sizeof(char16_t));
    static_assert(kInstallerByte - kAppDataFolder == (kMaxPath + 1) * sizeof(char16_t));
    static constexpr uint32_t kMarkerValue = 0x80000001;
    static constexpr uint32_t kReady = 99;

    // "Corvane Process v27 (%d)" for a process id.
    static TLString NameFor(DWORD process_id);

    // This process's block, created on first use under a process-wide lock; null only when the
    // shared memory cannot be had. Creating it fills the fixed fields only: finding the installed
    // product is left to the caller (FinishProcessInfoBlock in tl_install_path.h).
    static TLProcessInfoBlock* Get();
    // The block of that process id, created when new; null when the shared memory cannot be had.
    static std::unique_ptr<TLProcessInfoBlock> Open(DWORD process_id);
    ~TLProcessInfoBlock() = default;
    TLProcessInfoBlock(const TLProcessInfoBlock&) = delete;
    TLProcessInfoBlock& operator=(const TLProcessInfoBlock&) = delete;

    TLString GetString(Offset offset) const;
    // Stores at most 260 units and the terminating zero: each string field holds 261 units.
    void SetString(Offset offset, const TLString& text);
    uint8_t GetByte(Offset offset) const { return memory_.data()[offset]; }
    void SetByte(Offset offset, uint8_t value) { memory_.data()[offset] = value; }
    uint32_t GetUInt32(Offset offset) const;
    const uint8_t* data() const { return memory_.data(); }

    // True when this process found the shared memory new and filled it.
    bool InitialisedHere() const { return initialised_here_; }
    bool IsPortable() const { return GetByte(kPortableByte) != 0; }
    // Readers in other processes take the block as complete once this is set; it is set last.
    bool IsReady() const { return GetUInt32(kReadyValue) == kReady; }
    void MarkReady();
    // Recomputes the application data folder: for a portable install the install folder followed by
    // "Application Data", otherwise the product's folder in the user's application data.
    void ComputeAppDataFolder();

private:
    TLProcessInfoBlock() = default;
    bool Create(DWORD process_id);

    TLSharedMemory memory_;
    bool initialised_here_ = false;
};
