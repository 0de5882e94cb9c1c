#include "product/package_installer/finish_install.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "engine/finalize/finalize_plan.h"
#include "engine/process/run_program.h"
#include "product/tltools/registry_settings.h"

namespace {

struct Entry {
    int order;  // installs, then deletions, then registrations; each by its number
    TLString name;
    TLString record;
};

// "Install File (12)" gives the number 12 for the format "Install File (%d)", else -1.
int NumberIn(const TLString& name, std::u16string_view format) {
    const std::u16string_view prefix = format.substr(0, format.find(u'%'));
    if (!name.StartsWith(prefix) || name.Last() != u')') return -1;
    const TLString digits = name.Mid(prefix.size(), name.length() - prefix.size() - 1);
    if (digits.empty() || digits.view().find_first_not_of(u"0123456789") != std::u16string_view::npos) return -1;
    return digits.ToInt();
}

std::vector<Entry> ReadEntries(HKEY section) {
    const std::u16string_view formats[] = {engine::kInstallFileFormat, engine::kDeleteFileFormat,
                                           engine::kRegisterFileFormat};
    std::vector<Entry> entries;
    for (DWORD index = 0;; ++index) {
        wchar_t name[256];
        DWORD name_length = 256;
        DWORD type = 0, size = 0;
        if (RegEnumValueW(section, index, name, &name_length, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) break;
        if (type != REG_SZ) continue;
        std::vector<wchar_t> data(size / sizeof(wchar_t) + 1, L'\0');
        if (RegQueryValueExW(section, name, nullptr, nullptr, reinterpret_cast<BYTE*>(data.data()), &size) !=
            ERROR_SUCCESS)
            continue;
        for (int kind = 0; kind < 3; ++kind) {
            const int number = NumberIn(TLString(name, name_length), formats[kind]);
            if (number >= 0) entries.push_back({kind * 0x1000000 + number, TLString(name, name_length), data.data()});
        }
    }
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) { return a.order < b.order; });
    return entries;
}

bool Install(const engine::PendingRecord& record, TLString* problem) {
    if (record.second.empty()) {
        *problem = u"staged package left for the product: "_tl + record.first;
        return false;
    }
    // After a restart Windows has already moved the staged file into place.
    if (GetFileAttributesW(record.first.wc()) == INVALID_FILE_ATTRIBUTES) {
        *problem = u"staged file missing: "_tl + record.first;
        return false;
    }
    SetFileAttributesW(record.second.wc(), FILE_ATTRIBUTE_NORMAL);
    if (MoveFileExW(record.first.wc(), record.second.wc(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED))
        return true;
    *problem = TLString::Format(u"cannot replace %s (error %d)", record.second, static_cast<int>(GetLastError()));
    return false;
}

bool Delete(const engine::PendingRecord& record, TLString* problem) {
    SetFileAttributesW(record.second.wc(), FILE_ATTRIBUTE_NORMAL);
    if (DeleteFileW(record.second.wc()) || GetLastError() == ERROR_FILE_NOT_FOUND) return true;
    *problem = TLString::Format(u"cannot delete %s (error %d)", record.second, static_cast<int>(GetLastError()));
    return false;
}

bool Register(const engine::PendingRecord& record, TLString* problem) {
    if (tlproc::RegisterInProcess(record.second)) return true;
    *problem = u"cannot register "_tl + record.second;
    return false;
}

// Emptied only once every entry was tried: a run cut short leaves the whole list for the next one.
void EmptySection(HKEY section) {
    for (;;) {
        wchar_t name[256];
        DWORD name_length = 256;
        if (RegEnumValueW(section, 0, name, &name_length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS ||
            RegDeleteValueW(section, name) != ERROR_SUCCESS)
            return;
    }
}

}  // namespace

void FinishInstall(const std::function<void(const TLString&)>& log) {
    HKEY section = nullptr;
    const TLString key = TLString(tltools_dll::kProductSettingsKey) + engine::kFinalizeSection;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, key.wc(), 0, KEY_READ | KEY_WRITE, &section) != ERROR_SUCCESS) return;
    using Step = bool (*)(const engine::PendingRecord&, TLString*);
    const Step steps[] = {Install, Delete, Register};
    for (const Entry& entry : ReadEntries(section)) {
        TLString problem;
        if (!steps[entry.order / 0x1000000](engine::SplitPendingRecord(entry.record), &problem))
            log(entry.name + u": " + problem);
    }
    EmptySection(section);
    RegCloseKey(section);
}
