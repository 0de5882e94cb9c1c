#include "core/process/tl_process_info_block.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <mutex>

#include "core/windows/known_folders.h"
#include "core/windows/module_path.h"

TLString TLProcessInfoBlock::NameFor(DWORD process_id) {
    return TLString::Format(u"Corvane Process v%d (%d)", kMajorVersion, static_cast<int>(process_id));
}

TLProcessInfoBlock* TLProcessInfoBlock::Get() {
    static std::mutex lock;
    static TLProcessInfoBlock* block = nullptr;
    std::lock_guard<std::mutex> guard(lock);
    if (!block) block = Open(GetCurrentProcessId()).release();
    return block;
}

std::unique_ptr<TLProcessInfoBlock> TLProcessInfoBlock::Open(DWORD process_id) {
    std::unique_ptr<TLProcessInfoBlock> block(new TLProcessInfoBlock);
    if (!block->Create(process_id)) block.reset();
    return block;
}

bool TLProcessInfoBlock::Create(DWORD process_id) {
    if (!memory_.Open(NameFor(process_id), kSize)) return false;
    if (GetByte(kInitialisedByte) != 0) return true;

    uint8_t* bytes = memory_.data();
    std::memset(bytes + 1, 0, kSize - 1);
    bytes[kInitialisedByte] = 1;
    SetString(kExecutablePath, tlwin::ModulePath());
    const uint32_t thread = GetCurrentThreadId();
    std::memcpy(bytes + kInitialisingThread, &thread, sizeof thread);
    std::memcpy(bytes + kMarker, &kMarkerValue, sizeof kMarkerValue);
    std::memset(bytes + kAllBitsSet, 0xFF, 8);
    initialised_here_ = true;
    return true;
}

void TLProcessInfoBlock::MarkReady() {
    InterlockedExchange(reinterpret_cast<volatile LONG*>(memory_.data() + kReadyValue), static_cast<LONG>(kReady));
}

TLString TLProcessInfoBlock::GetString(Offset offset) const {
    const auto* text = reinterpret_cast<const char16_t*>(memory_.data() + offset);
    size_t length = 0;
    while (length < kMaxPath && text[length]) ++length;
    return TLString(std::u16string_view(text, length));
}

void TLProcessInfoBlock::SetString(Offset offset, const TLString& text) {
    const size_t length = std::min(text.length(), kMaxPath);
    auto* target = reinterpret_cast<char16_t*>(memory_.data() + offset);
    std::memcpy(target, text.data(), length * sizeof(char16_t));
    target[length] = u'\0';
}

uint32_t TLProcessInfoBlock::GetUInt32(Offset offset) const {
    uint32_t value;
    std::memcpy(&value, memory_.data() + offset, sizeof value);
    return value;
}

void TLProcessInfoBlock::ComputeAppDataFolder() {
    if (IsPortable()) {
        SetString(kAppDataFolder, GetString(kInstallFolder) + u"Application Data");
        return;
    }
    SetString(kAppDataFolder, tlwin::KnownFolderPath(tlwin::KnownFolder::kRoamingAppData) +
                                  TLString::Format(u"C. Orvane\\Tonehall %d", kMajorVersion));
}
