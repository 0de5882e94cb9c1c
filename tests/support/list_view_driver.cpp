#include "tests/support/list_view_driver.h"

#include <commctrl.h>

namespace tltest {
namespace {

// A piece of memory in the list's process, freed when it goes.
class RemoteMemory {
public:
    RemoteMemory(HWND window, size_t size) : size_(size) {
        DWORD process_id = 0;
        GetWindowThreadProcessId(window, &process_id);
        process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, process_id);
        if (process_) address_ = VirtualAllocEx(process_, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    }
    ~RemoteMemory() {
        if (address_) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
        if (process_) CloseHandle(process_);
    }
    RemoteMemory(const RemoteMemory&) = delete;
    RemoteMemory& operator=(const RemoteMemory&) = delete;

    bool ok() const { return address_ != nullptr; }
    char* at(size_t offset) const { return static_cast<char*>(address_) + offset; }
    bool Write(size_t offset, const void* data, size_t size) const {
        return offset + size <= size_ && WriteProcessMemory(process_, at(offset), data, size, nullptr);
    }
    bool Read(size_t offset, void* data, size_t size) const {
        return offset + size <= size_ && ReadProcessMemory(process_, at(offset), data, size, nullptr);
    }

private:
    HANDLE process_ = nullptr;
    void* address_ = nullptr;
    size_t size_;
};

constexpr int kTextLength = 512;
// The item record first, its text buffer after it.
constexpr size_t kTextOffset = (sizeof(LVITEMW) + 15) / 16 * 16;

}  // namespace

std::vector<ListViewRow> ReadListView(HWND list) {
    std::vector<ListViewRow> rows;
    RemoteMemory memory(list, kTextOffset + kTextLength * sizeof(wchar_t));
    if (!memory.ok()) return rows;
    const int count = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    for (int row = 0; row < count; ++row) {
        LVITEMW item{};
        item.iSubItem = 0;
        item.pszText = reinterpret_cast<wchar_t*>(memory.at(kTextOffset));
        item.cchTextMax = kTextLength;
        if (!memory.Write(0, &item, sizeof item)) return {};
        SendMessageW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(memory.at(0)));
        wchar_t text[kTextLength] = {};
        memory.Read(kTextOffset, text, sizeof text);
        text[kTextLength - 1] = 0;
        const UINT state = static_cast<UINT>(SendMessageW(list, LVM_GETITEMSTATE, row, LVIS_STATEIMAGEMASK)) >> 12;
        rows.push_back({TLString(reinterpret_cast<const char16_t*>(text)), state != 0, state == 2});
    }
    return rows;
}

bool SetListViewRowChecked(HWND list, int row, bool checked) {
    RemoteMemory memory(list, sizeof(LVITEMW));
    LVITEMW item{};
    item.stateMask = LVIS_STATEIMAGEMASK;
    item.state = INDEXTOSTATEIMAGEMASK(checked ? 2 : 1);
    return memory.ok() && memory.Write(0, &item, sizeof item) &&
           SendMessageW(list, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(memory.at(0)));
}

}  // namespace tltest
